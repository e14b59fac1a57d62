#pragma once

class QPainter;
struct PrintPage;

// Drawing the page on any surface: every layout value is whole millimetres times k, the
// surface's whole number of pixels per millimetre, so that the screen and a printer get the
// same layout.
namespace printing {

// The face of every printed text: Chinese needs the simplified-Chinese shapes.
inline constexpr const char* kPrintFont = "Noto Sans CJK SC";

// k of a surface with this many pixels per inch: 96 gives 3, 600 gives 23.
int pixelsPerMillimetre(int pixelsPerInch);

// Draws the page at scale k. A page without columns shows "没有要打印的数据！" and draws
// nothing; returns false then.
bool report(QPainter& painter, const PrintPage& page, int k);

} // namespace printing
