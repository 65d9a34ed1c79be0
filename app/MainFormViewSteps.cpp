// The picture steps that the channel, clipping and colour-management views
// fill in: each works on the displayed picture and keeps the source picture.
#include "app/MainForm.h"

void TForm1::DoColorManagement() {}

void TForm1::ApplyViewMode(int mode)
{
    (void)mode;
}
