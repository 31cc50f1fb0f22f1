// Choosing the zone to edit: from the keyboard pane's bars or the control
// editor's zone buttons.
#pragma once

// Makes `zone` the current zone. Every selected control that belongs to
// another zone gives its selection to its twin in the new zone (the control
// with the same ID there); the current control becomes the first selected
// one. Returns 0 when the zone is out of range or already current.
int SelectZone(int zone);

// SelectZone, then repaints what shows the zone: the keyboard pane, the
// graphic view and the control editor.
void SelectZoneAndRepaint(int zone);
