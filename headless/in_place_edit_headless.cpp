// The in-place editors' edit controls, natively: a record of what was opened
// where, whose text the tests set before pressing Enter.
#include "headless/in_place_edit_headless.h"

#include "banks/bank_model.h"
#include "views/in_place_edit_platform.h"

namespace {

HeadlessEditControl gControls[2];  // value editor, renamer
int gNextHandle = 1;

HeadlessEditControl* ControlFor(PaneWindow edit) {
    for (HeadlessEditControl& control : gControls) {
        if (control.open && control.edit == edit) return &control;
    }
    return nullptr;
}

}  // namespace

HeadlessEditControl& HeadlessEditor(int controlId) {
    return gControls[controlId == kHeadlessRenamerId ? 1 : 0];
}

void HeadlessEditorsReset() {
    for (HeadlessEditControl& control : gControls) control = HeadlessEditControl();
}

PaneWindow OpenInPlaceEditControl(int controlId, PaneWindow parent, const PaneRect& rect,
                                  const char* text, int maxChars) {
    HeadlessEditControl& control = HeadlessEditor(controlId);
    control.open = 1;
    control.opens += 1;
    control.parent = parent;
    control.rect = rect;
    control.maxChars = maxChars;
    CopyText(control.text, text);
    control.edit = reinterpret_cast<PaneWindow>(static_cast<intptr_t>(0x1000 + gNextHandle++));
    return control.edit;
}

void DestroyInPlaceEditControl(PaneWindow edit) {
    if (HeadlessEditControl* control = ControlFor(edit)) control->open = 0;
}

void InPlaceEditControlText(PaneWindow edit, char* out, int size) {
    HeadlessEditControl* control = ControlFor(edit);
    CopyText(out, static_cast<size_t>(size), control ? control->text : "");
}

int InPlaceEditLineHeight() {
    return kHeadlessEditLineHeight;
}
