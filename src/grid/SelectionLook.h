#pragma once
// The look of a selected selection button. The platform draws a checked
// flat push-like button as a dither of the button face and the highlight
// colour, which with today's default colours is almost white on white; so
// the 140 selection buttons draw their checked state themselves: pressed
// in, with a face tinted towards the highlight colour, an outline and the
// row number in the ink that reads best on that face. An unchecked button
// is drawn as the platform draws it, with the row number as its text: the
// window text names the button for screen readers and is not shown.
//
// The buttons stay the platform's check boxes: their check state is still
// kept and reported by BM_GETCHECK and BM_SETCHECK, clicks, keys and
// notifications are the platform's. Only the drawing of a button is
// taken over, in WM_PAINT and wherever the platform would draw at once
// (a new check state, pushed state, focus, text or enabled state).
//
// The colours, the contrast ratio and the face rectangle are plain
// functions; only InstallSelectionLook and the drawing touch windows.
#include "dialogkit/Win32.h"

#include <string>

namespace grid {

// Relative luminance of an sRGB colour, 0 (black) to 1 (white), and the
// contrast ratio of two colours, 1 (same) to 21 (black on white), as the
// web's accessibility guidelines define them.
double RelativeLuminance(COLORREF colour);
double ContrastRatio(COLORREF a, COLORREF b);

// `a` moved `percent` of the way towards `b`, channel by channel.
COLORREF Mix(COLORREF a, COLORREF b, int percent);
// The largest difference of two colours in one channel (0 to 255).
int ChannelDistance(COLORREF a, COLORREF b);

struct SelectionColours {
    COLORREF face = 0;     // the pressed-in face
    COLORREF shadow = 0;   // the inner shadow along the top and left edge
    COLORREF outline = 0;  // the one-pixel frame
    COLORREF ink = 0;      // the row number: black or white, whichever reads better
};

// The colours of a selected button for the given button face and
// highlight colours (the system's COLOR_BTNFACE and COLOR_HIGHLIGHT): the
// face tinted towards the highlight, or, where that tint would hardly show
// (a highlight much like the face), darkened or lightened instead.
SelectionColours SelectedColours(COLORREF buttonFace, COLORREF highlight);

// The face of a button with this client rectangle: inside its outline.
RECT FaceRect(const RECT& client);

// What a selection button shows on its face: its row number while "N" is
// on, nothing otherwise. Its window text is its name (SelectionName).
std::string FaceText(HWND button);

// Takes over the drawing of the checked state of the main dialog's 140
// selection buttons, from now until they are destroyed.
void InstallSelectionLook(HWND dialog);

}  // namespace grid
