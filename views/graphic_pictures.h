// The graphic view's pictures: made from the loaded definition's PNG files
// at the scale of the device view, and released before the next device.
#pragma once

// Releases every picture of the previous device (device load, shutdown).
void ReleaseGraphicPictures();
// Computes the scale for the device view as it is laid out now, then decodes,
// scales and places every picture of gDevice.
void BuildGraphicPictures();
// Rebuilds when the view's size differs from the one the pictures were made
// for (a resized window). Returns 1 when it rebuilt.
int RefitGraphicPictures();
// Brings the graphic view's scroll position back inside its picture (the
// picture may have been rebuilt narrower while the list view showed).
void KeepGraphicScrollInside();
