#pragma once

class QPainter;
struct PrintPage;

// Drawing the page on any surface: every layout value is whole millimetres times k, the
// surface's whole number of pixels per millimetre, so that the screen and a printer get the
// same layout.
namespace printing {

// The faces of every printed text, first choice first: Latin letters and figures from a Latin
// face, Chinese from the simplified-Chinese one. The Chinese face draws figures that follow
// Latin letters (the digits of "CJ2026315957") with variant glyphs that no character maps to,
// and Qt's PDF writer names a glyph only by a character that maps to it: in a PDF's text those
// figures would be lost.
inline constexpr const char* kPrintLatinFont = "DejaVu Sans";
inline constexpr const char* kPrintChineseFont = "Noto Sans CJK SC";

// k of a surface with this many pixels per inch: 96 gives 3, 600 gives 23.
int pixelsPerMillimetre(int pixelsPerInch);

// Draws the page at scale k. A page without columns shows "没有要打印的数据！" and draws
// nothing; returns false then.
bool report(QPainter& painter, const PrintPage& page, int k);

} // namespace printing
