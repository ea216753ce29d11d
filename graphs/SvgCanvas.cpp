#include "SvgCanvas.h"

#include <algorithm>
#include <cstdio>

#include "ArialMetrics.h"

namespace halosoil {

namespace {

std::string Hex(Color color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color.r & 0xff, color.g & 0xff,
                  color.b & 0xff);
    return text;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

bool IsUtf8(const std::string& text) {
    std::size_t k = 0;
    while (k < text.size()) {
        const auto c = static_cast<unsigned char>(text[k]);
        int following = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            following = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            following = 2;
        } else if (c >= 0xF0 && c <= 0xF4) {
            following = 3;
        } else if (c >= 0x80) {
            return false;
        }
        for (int f = 1; f <= following; ++f) {
            if (k + f >= text.size()) return false;
            if ((static_cast<unsigned char>(text[k + f]) & 0xC0) != 0x80) return false;
        }
        k += following + 1;
    }
    return true;
}

std::string Latin1ToUtf8(const std::string& text) {
    std::string utf8;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            utf8 += ch;
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

// The points of a ring or line as path data: "M x y L x y ...", closed by "Z" when asked.
std::string PathData(const std::vector<Point>& points, bool closed) {
    std::string data;
    // Appended piece by piece: GCC 12 at -O3 takes a literal's + onto a string for an
    // overlapping copy (-Wrestrict).
    for (std::size_t k = 0; k < points.size(); ++k) {
        data += k == 0 ? "M" : " L";
        data += Number(points[k].x);
        data += ' ';
        data += Number(points[k].y);
    }
    if (closed && !points.empty()) data += " Z";
    return data;
}

}  // namespace

std::string SvgText(const std::string& text) {
    const std::string utf8 = IsUtf8(text) ? text : Latin1ToUtf8(text);
    std::string escaped;
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) continue;
        switch (ch) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += ch;
        }
    }
    return escaped;
}

SvgCanvas::SvgCanvas(int width, int height) : width_(width), height_(height) {}

void SvgCanvas::FillRect(const Rect& rect, Color color) {
    const int left = std::min(rect.left, rect.right);
    const int top = std::min(rect.top, rect.bottom);
    const int width = std::abs(rect.right - rect.left);
    const int height = std::abs(rect.bottom - rect.top);
    if (width == 0 || height == 0) return;
    body_ += "<rect x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(top) + "\" width=\"" +
             std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" fill=\"" +
             Hex(color) + "\"/>\n";
}

void SvgCanvas::DrawLine(int x1, int y1, int x2, int y2, Color color, int width) {
    // A line of odd width runs through the middle of its pixels, as on the bitmap.
    const double shift = width % 2 == 1 ? 0.5 : 0.0;
    body_ += "<line x1=\"" + Number(x1 + shift) + "\" y1=\"" + Number(y1 + shift) + "\" x2=\"" +
             Number(x2 + shift) + "\" y2=\"" + Number(y2 + shift) + "\" stroke=\"" + Hex(color) +
             "\" stroke-width=\"" + std::to_string(width) + "\"/>\n";
}

void SvgCanvas::FillPolygon(const std::vector<Ring>& rings, Color color) {
    std::string data;
    for (const Ring& ring : rings) {
        if (ring.size() < 3) continue;
        if (!data.empty()) data += ' ';
        data += PathData(ring, true);
    }
    if (data.empty()) return;
    body_ += "<path d=\"" + data + "\" fill=\"" + Hex(color) + "\" fill-rule=\"evenodd\"/>\n";
}

void SvgCanvas::DrawPolyline(const std::vector<Point>& points, bool closed, Color color,
                             int width) {
    if (points.size() < 2) return;
    body_ += "<path d=\"" + PathData(points, closed) + "\" fill=\"none\" stroke=\"" + Hex(color) +
             "\" stroke-width=\"" + std::to_string(width) + "\" stroke-linejoin=\"round\"/>\n";
}

void SvgCanvas::DrawText(int x, int y, const std::string& text, const Font& font) {
    const int pixels = PixelSizeOf(font.size);
    // SVG places text by its baseline; the canvas by its top left corner.
    body_ += "<text x=\"" + std::to_string(x) + "\" y=\"" +
             std::to_string(y + ArialAscent(pixels)) + "\" font-family=\"" + SvgText(font.face) +
             ", Liberation Sans, Arimo, Helvetica, sans-serif\" font-size=\"" +
             std::to_string(pixels) + "\" fill=\"" + Hex(font.color) + "\">" + SvgText(text) +
             "</text>\n";
}

int SvgCanvas::TextWidth(const std::string& text, const Font& font) {
    return ArialTextWidth(text, PixelSizeOf(font.size));
}

int SvgCanvas::TextHeight(const std::string&, const Font& font) {
    return ArialTextHeight(PixelSizeOf(font.size));
}

std::string SvgCanvas::Document() const {
    const std::string w = std::to_string(width_);
    const std::string h = std::to_string(height_);
    // Runs of blanks align the legends, so the texts keep their blanks.
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h +
           "\" xml:space=\"preserve\" style=\"white-space:pre\" shape-rendering=\"crispEdges\" "
           "stroke-linecap=\"butt\">\n" +
           body_ + "</svg>\n";
}

}  // namespace halosoil
