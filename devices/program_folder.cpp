// The program folder: start-up's, or one set by tests and tools.
#include "devices/program_folder.h"

#include <string>

#include "base/working_blocks.h"
#include "devices/document_cache.h"
#include "devices/folder_list.h"
#include "imaging/picture_cache.h"

namespace {

// Set by tests and tools that run without the shell's start-up.
std::string gProgramFolderOverride;
bool gHaveProgramFolderOverride = false;

}  // namespace

void DiscoverySetProgramFolder(const char* folder) {
    // A new program folder is a new start: nothing read before is kept.
    ClearSharedDocuments();
    ClearComposedPictures();
    gHaveProgramFolderOverride = folder != nullptr;
    gProgramFolderOverride = folder ? WithSeparator(folder) : std::string();
}

const char* DiscoveryProgramFolder() {
    if (gHaveProgramFolderOverride) return gProgramFolderOverride.c_str();
    return gProgramDir ? gProgramDir : "";
}
