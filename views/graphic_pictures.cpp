// Building the device's pictures. The background is composited onto the
// white of the pane so that drawing it with white as the transparent colour
// leaves the pane showing through; the controller pictures are composited
// onto the definition's colour, which their drawing then keys out.
#include "views/graphic_pictures.h"

#include <string>

#include "devices/device_definition.h"
#include "devices/folder_list.h"
#include "imaging/image_bitmap.h"
#include "views/device_view.h"
#include "views/editor_document.h"
#include "views/graphic_geometry.h"
#include "views/pane_layout.h"
#include "views/pane_scroll.h"
#include "views/view_state.h"

namespace {

std::string GraphicsPath(const char* name) {
    return std::string(gDevice.directory) + "graphics" + kPathSeparator + name;
}

// Decodes one picture and scales it; a failed resample keeps it unscaled.
// Records the unscaled size (0 x 0 when the file is missing or damaged).
void MakePicture(const char* name, int32_t background, float scale, ImageBitmap* bitmap,
                 int* unscaledWidth, int* unscaledHeight) {
    *unscaledWidth = 0;
    *unscaledHeight = 0;
    if (name[0] == '\0') return;
    if (!ImageBitmapFromPngFile(GraphicsPath(name).c_str(), background, bitmap)) return;
    *unscaledWidth = bitmap->width;
    *unscaledHeight = bitmap->height;
    if (scale != 1.0f) {
        int width = ScaleLength(bitmap->width, scale);
        int height = ScaleLength(bitmap->height, scale);
        if (width > 0 && height > 0) ImageBitmapResample(bitmap, width, height);
    }
}

int ViewWidth() {
    return gDeviceView.rect.width;
}
int ViewHeight() {
    return GraphicPictureHeight(gDevice.zoneLimit != 0);
}

}  // namespace

void ReleaseGraphicPictures() {
    EditorDocument& doc = gDocument;
    ImageBitmapRelease(&doc.background);
    for (TypePictures& type : doc.types) {
        ImageBitmapRelease(&type.background);
        ImageBitmapRelease(&type.backgroundSelected);
        ImageBitmapRelease(&type.normal);
        ImageBitmapRelease(&type.selected);
        for (int i = 0; i < 4; ++i) {
            type.unscaledWidth[i] = 0;
            type.unscaledHeight[i] = 0;
        }
    }
    for (DocControl& control : doc.controls) control = DocControl{};
    doc.backgroundWidth = 0;
    doc.backgroundHeight = 0;
    doc.offX = 0;
    doc.offY = 0;
    doc.hasPictures = 0;
}

void KeepGraphicScrollInside() {
    PaneScroll& s = gDeviceView.horizontal;
    const int page = gDeviceView.rect.width - 2 * kPictureMargin;
    const int last = gDocument.backgroundWidth - page;
    if (!gDocument.scrollMode || last <= 0 || s.position < 0) {
        s.position = 0;
    } else if (s.position > last) {
        s.position = last;
    }
}

void BuildGraphicPictures() {
    ReleaseGraphicPictures();
    EditorDocument& doc = gDocument;
    int width = ViewWidth();
    int height = ViewHeight();
    ComputeGraphicScale(gDevice, width, height, gFitMode, ScrollBarHeight(), &doc.scale,
                        &doc.scrollMode);
    doc.builtWidth = width;
    doc.builtHeight = height;
    int backgroundWidth = 0;
    int backgroundHeight = 0;
    MakePicture(gDevice.background, kWhite, doc.scale, &doc.background, &backgroundWidth,
                &backgroundHeight);
    doc.backgroundWidth = doc.background.width;
    doc.backgroundHeight = doc.background.height;
    CentreBackground(&doc, width, height);
    int32_t colour = static_cast<int32_t>(gDevice.colour);
    int typeCount = gDevice.typeCount < kDocMaxTypes ? gDevice.typeCount : kDocMaxTypes;
    for (int t = 0; t < typeCount; ++t) {
        const ControllerType& type = gDevice.types[t];
        TypePictures& pictures = doc.types[t];
        const char* names[4] = {type.background, type.backgroundSelected, type.normalImage,
                                type.selectedImage};
        ImageBitmap* bitmaps[4] = {&pictures.background, &pictures.backgroundSelected,
                                   &pictures.normal, &pictures.selected};
        for (int i = 0; i < 4; ++i) {
            MakePicture(names[i], colour, doc.scale, bitmaps[i], &pictures.unscaledWidth[i],
                        &pictures.unscaledHeight[i]);
        }
    }
    LayoutGraphicControls(&gDevice, &doc);
    doc.hasPictures = 1;
    // Built anew for a new view size (a resize builds them at once, before any
    // paint), the picture may have become narrower than the view scrolled over
    // it, or the view wider: the position comes back inside before anything
    // is drawn or hit with it. The list view keeps its own.
    if (!gDeviceView.listMode) KeepGraphicScrollInside();
}

int RefitGraphicPictures() {
    if (!gDocument.hasPictures) return 0;
    if (gDocument.builtWidth == ViewWidth() && gDocument.builtHeight == ViewHeight()) return 0;
    BuildGraphicPictures();
    return 1;
}
