// The loaded definition and the questions the rest of the program asks it.
#include "devices/device_definition.h"

#include <cstring>

#include "devices/cc_set.h"

DeviceDefinition gDevice;

int ControlCount() {
    int n = gDevice.controlCount;
    if (n < 0) return 0;
    return n > kMaxControls ? kMaxControls : n;
}

bool TypeHasProgram(const DeviceDefinition& def, int type) {
    return type >= 0 && type < def.typeCount && type < kMaxControllerTypes &&
           def.types[type].program != 0;
}

bool ControlHasProgram(const DeviceDefinition& def, int control) {
    if (control < 0 || control >= def.controlCount || control >= kMaxControls) return false;
    return TypeHasProgram(def, def.controls[control].typeIndex);
}

void DeviceDefinitionReset(DeviceDefinition* def) {
    memset(def, 0, sizeof *def);
}

int DeviceDefinitionFindType(const DeviceDefinition* def, const char* typeName) {
    for (int i = 0; i < def->typeCount && i < kMaxControllerTypes; ++i)
        if (strcmp(def->types[i].name, typeName) == 0) return i;
    return -1;
}

const ControllerType* ControlOwnType(const DeviceDefinition* def, int controlIndex) {
    if (controlIndex < 0 || controlIndex >= def->controlCount || controlIndex >= kMaxControls) {
        return nullptr;
    }
    const ControlDef& control = def->controls[controlIndex];
    const int t = control.typeIndex;
    if (t < 0 || t >= def->typeCount || t >= kMaxControllerTypes) return nullptr;
    return strcmp(def->types[t].name, control.typeName) == 0 ? &def->types[t] : nullptr;
}

int DeviceDefinitionAcceptsCc(const DeviceDefinition* def, int controlIndex, int cc) {
    CcSet set;
    // Only a control that really is of its type gets the type's set.
    if (const ControllerType* type = ControlOwnType(def, controlIndex)) {
        CcSetParse(&set, type->supportedCc);
        if (!CcSetIsEmpty(&set)) return CcSetHas(&set, cc);
    }
    CcSetParse(&set, def->supportedCc);
    return CcSetHas(&set, cc);
}

int ControlAcceptsCc(int controlIndex, int cc) {
    return DeviceDefinitionAcceptsCc(&gDevice, controlIndex, cc);
}

int ModelLoaded() {
    return gDevice.pid != 0 || gDevice.name[0] != '\0';
}

int DeviceDefinitionSysexFieldTag(const DeviceDefinition* def, const char* arrayName, int k,
                                  const char** tagName) {
    int count = 0;
    if (tagName) *tagName = nullptr;
    for (int i = 0; i < def->sysexFieldCount && i < kMaxSysexFields; ++i) {
        const SysexFieldDef& f = def->sysexFields[i];
        if (strcmp(f.array, arrayName) != 0) continue;
        if (count == k && tagName) *tagName = f.tagName;
        ++count;
    }
    return count;
}

int SysexFieldTag(const char* arrayName, int k, const char** tagName) {
    return DeviceDefinitionSysexFieldTag(&gDevice, arrayName, k, tagName);
}

int DeviceDefinitionSysexFieldIndex(const DeviceDefinition* def, const char* arrayName,
                                    const char* tagName) {
    int count = 0;
    for (int i = 0; i < def->sysexFieldCount && i < kMaxSysexFields; ++i) {
        const SysexFieldDef& f = def->sysexFields[i];
        if (strcmp(f.array, arrayName) != 0) continue;
        if (strcmp(f.tagName, tagName) == 0) return count;
        ++count;
    }
    return count;
}

int SysexFieldIndex(const char* arrayName, const char* tagName) {
    return DeviceDefinitionSysexFieldIndex(&gDevice, arrayName, tagName);
}

void DeviceDefinitionZoneNoteFields(const DeviceDefinition* def, int* lowField, int* highField) {
    *lowField = DeviceDefinitionSysexFieldIndex(def, "zones", "note low");
    *highField = DeviceDefinitionSysexFieldIndex(def, "zones", "note high");
}

void ZoneNoteFields(int* lowField, int* highField) {
    DeviceDefinitionZoneNoteFields(&gDevice, lowField, highField);
}
