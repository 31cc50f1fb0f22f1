// Dialog centring.
#include "shell/dialog_layout.h"

DialogPlace CentreDialog(int ownerLeft, int ownerTop, int ownerW, int ownerH, int dialogW,
                         int dialogH, int fullW, int fullH, int caption) {
    DialogPlace p;
    p.left = ownerLeft + ownerW / 2 - dialogW / 2;
    p.top = ownerTop + ownerH / 2 - dialogH / 2;
    if (p.left + dialogW > fullW) p.left = fullW - dialogW;
    if (p.top + dialogH > caption + fullH) p.top = caption + fullH - dialogH;
    if (p.left < 0) p.left = 0;
    if (p.top < 0) p.top = 0;
    return p;
}
