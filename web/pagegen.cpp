// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the page from its template and the window's design
// (square/windowlayout.h): the places, colours, fonts and texts of the
// controls, so the page and the desktop window come from one table. Also
// writes the characters the page shows, which the font is cut down to.
//
//   pagegen EXPLANATION CHARACTERS TEMPLATE OUTPUT [TEMPLATE OUTPUT]...

#include "lesson.h"
#include "lessonrun.h"
#include "magicsquare.h"
#include "windowlayout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string readFile(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "pagegen: cannot read " << path << '\n';
        std::exit(1);
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string escaped(const std::string &text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            break; // the page's text ends its lines with LF alone
        default:
            out += c;
        }
    }
    return out;
}

std::string px(double pixels)
{
    char text[32];
    std::snprintf(text, sizeof text, "%gpx", pixels);
    return text;
}

// Edges are rounded, as the desktop window rounds them.
std::string placeRule(const std::string &selector, const TwipsRect &r)
{
    const int left = twipsToPixels(r.left);
    const int top = twipsToPixels(r.top);
    return selector + " { left: " + px(left) + "; top: " + px(top)
        + "; width: " + px(twipsToPixels(r.left + r.width) - left)
        + "; height: " + px(twipsToPixels(r.top + r.height) - top) + "; }\n";
}

std::string colour(const Rgb &c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.red, c.green, c.blue);
    return text;
}

// A point is 4/3 of a CSS pixel.
std::string points(double size)
{
    char text[32];
    std::snprintf(text, sizeof text, "%gpt", size);
    return text;
}

std::string layoutCss()
{
    std::string css;
    css += ":root { --window: " + colour(Colours::Window) + "; --button: " + colour(Colours::Button)
        + "; --label: " + colour(Colours::Label) + "; --disabled-caption: " + colour(Colours::DisabledCaption)
        + "; --font-size: " + points(Fonts::Window) + "; --cell-font-size: " + points(Fonts::Cell) + "; }\n";
    const TwipsRect client = Layout::ClientArea;
    css += "#window { width: " + px(twipsToPixels(client.width)) + "; height: " + px(twipsToPixels(client.height))
        + "; }\n";
    css += placeRule("#List1", Layout::List1);
    css += placeRule("#Command2", Layout::Command2);
    css += placeRule("#Text1_0", Layout::Text1_0);
    css += placeRule("#Label1_0", Layout::Label1_0);
    css += placeRule("#Label1_1", Layout::Label1_1);
    css += placeRule("#Text1_1", Layout::Text1_1);
    css += placeRule("#Frame1", Layout::Frame1);
    css += placeRule("#Option1_0-box", Layout::Option1_0);
    css += placeRule("#Option1_1-box", Layout::Option1_1);
    // A radio button is at least 24 pixels high, the least a finger needs,
    // grown away from its neighbour.
    const double fingerTwips = 24 * TwipsPerPixel;
    const TwipsRect top = Layout::Option1_0, left = Layout::Option1_1;
    css += placeRule("#Option1_0",
                     {top.left, top.top + top.height - std::max(top.height, fingerTwips), top.width,
                      std::max(top.height, fingerTwips)});
    css += placeRule("#Option1_1", {left.left, left.top, left.width, std::max(left.height, fingerTwips)});
    css += placeRule("#Image1", Layout::Image1);
    // Where the board goes: the message that stands there while it cannot come.
    css += placeRule(".board-message",
                     {Layout::Command1.left, Layout::Command1.top,
                      Layout::Label1_0.left + Layout::Label1_0.width - Layout::Command1.left,
                      Layout::Image1.top - Layout::Command1.top});
    return css;
}

std::string sizeOptions()
{
    std::string html;
    for (int i = 0; i < LessonRun::SizeCount; ++i) {
        const std::string entry = std::to_string(LessonRun::sizeEntry(i));
        html += "<div role=\"option\" id=\"List1-" + std::to_string(i) + "\"" + (i == 0 ? " class=\"cursor\"" : "")
            + " aria-selected=\"false\">" + entry + "</div>";
    }
    return html;
}

// The text a reader sees: everything outside tags, the style and scripts.
std::string visibleText(const std::string &html)
{
    static const std::map<std::string, std::string> entities{
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}};
    std::string text;
    size_t i = 0;
    while (i < html.size()) {
        // The title is the browser's to draw, in its own font.
        const char *skipped = html.compare(i, 6, "<style") == 0 ? "</style>"
            : html.compare(i, 7, "<script") == 0                ? "</script>"
            : html.compare(i, 6, "<title") == 0                 ? "</title>"
                                                                : nullptr;
        if (skipped) {
            const std::string end = skipped;
            const size_t stop = html.find(end, i);
            i = stop == std::string::npos ? html.size() : stop + end.size();
        } else if (html[i] == '<') {
            // A picture's text is drawn in its place while it is missing.
            const size_t stop = html.find('>', i);
            const std::string tag = html.substr(i, stop - i);
            for (const char *attribute : {"alt=\""}) {
                const size_t at = tag.find(attribute);
                if (at != std::string::npos)
                    text += tag.substr(at + std::strlen(attribute),
                                       tag.find('"', at + std::strlen(attribute)) - at - std::strlen(attribute));
            }
            i = stop == std::string::npos ? html.size() : stop + 1;
        } else if (html[i] == '&') {
            const size_t stop = html.find(';', i);
            const auto entity = entities.find(html.substr(i, stop - i + 1));
            text += entity != entities.end() ? entity->second : "&";
            i = entity != entities.end() ? stop + 1 : i + 1;
        } else {
            text += html[i++];
        }
    }
    return text;
}

// Each UTF-8 character once.
std::string characterSet(const std::string &text)
{
    std::set<std::string> seen;
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = text[i];
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string character = text.substr(i, length);
        i += length;
        if (character != "\n" && character != "\r" && character != "\t" && seen.insert(character).second)
            out += character;
    }
    return out;
}

void replaceAll(std::string &text, const std::string &from, const std::string &to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 5 || argc % 2 == 0) {
        std::cerr << "usage: pagegen EXPLANATION CHARACTERS TEMPLATE OUTPUT [TEMPLATE OUTPUT]...\n";
        return 2;
    }
    const std::map<std::string, std::string> fields{
        {"@LAYOUT_CSS@", layoutCss()},
        {"@WINDOW_COLOUR@", colour(Colours::Window)},
        {"@WINDOW_WIDTH@", std::to_string(twipsToPixels(Layout::ClientArea.width))},
        {"@WINDOW_HEIGHT@", std::to_string(twipsToPixels(Layout::ClientArea.height))},
        {"@IMAGE_WIDTH@", std::to_string(twipsToPixels(Layout::Image1.width))},
        {"@IMAGE_HEIGHT@", std::to_string(twipsToPixels(Layout::Image1.height))},
        {"@SIZE_OPTIONS@", sizeOptions()},
        {"@EXPLANATION@", escaped(readFile(argv[1]))},
        {"@Title@", escaped(Texts::Title)},
        {"@Label1_0@", escaped(Texts::Label1_0)},
        {"@Label1_1@", escaped(Texts::Label1_1)},
        {"@Frame1@", escaped(Texts::Frame1)},
        {"@Option1_0@", escaped(Texts::Option1_0)},
        {"@Option1_1@", escaped(Texts::Option1_1)},
        {"@Command2@", escaped(Texts::Command2)},
        {"@List1Name@", escaped(Texts::List1Name)},
        {"@List1Description@", escaped(Texts::List1Description)},
        {"@Command2Description@", escaped(Texts::Command2Description)},
        {"@Text1_0Name@", escaped(Texts::Text1_0Name)},
        {"@Text1_1Name@", escaped(Texts::Text1_1Name)},
        {"@Option1_0Description@", escaped(Texts::Option1_0Description)},
        {"@Option1_1Description@", escaped(Texts::Option1_1Description)},
        {"@Image1Name@", escaped(Texts::Image1Name)},
        {"@Image1Description@", escaped(Texts::Image1Description)},
        {"@CellRow@", escaped(Texts::CellRow)},
        {"@CellColumn@", escaped(Texts::CellColumn)},
    };
    // The reports and the printout are the model's words, with every digit.
    MagicSquare square;
    square.build(3);
    std::string shown =
        cellReport(square, 3, Orientation::Top, 0) + squareText(square, 3, Orientation::Top) + "0123456789";
    for (int i = 3; i + 1 < argc; i += 2) {
        std::string page = readFile(argv[i]);
        for (const auto &[name, value] : fields)
            replaceAll(page, name, value);
        std::ofstream(argv[i + 1], std::ios::binary) << page;
        const std::string output = argv[i + 1];
        if (output.size() > 5 && output.compare(output.size() - 5, 5, ".html") == 0)
            shown += visibleText(page);
    }
    std::ofstream(argv[2], std::ios::binary) << characterSet(shown);
    return 0;
}
