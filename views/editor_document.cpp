#include "views/editor_document.h"

EditorDocument gDocument;
