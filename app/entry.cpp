// The coefficient boxes: Enter leads from a to b to c and on to "点を打つ".
#include "app/form1.h"

void Form1::Text1_KeyPress(std::int16_t Index, std::int16_t& keyCode)
{
    if (keyCode != 13) return;
    if (Index == 0) Text1(1).SetFocus();
    if (Index == 1) Text1(2).SetFocus();
    if (Index == 2) Command4(0).SetFocus();
}
