// Drags and the rubber band. (Placeholder until they are built: nothing
// starts.)
#include "editing/drag.h"

DragState gDrag;
RubberBand gRubberBand;

void ArmDrag(Pane*, int, int, int, int, int) {}
void StartDrag() {}
void EndDrag() {}
void DragTick(PaneWindow) {}
void BeginRubberBand(Pane*, int, int) {}
void UpdateRubberBand(int, int) {}
void RubberBandTick() {}
void EndRubberBand() {}
