// The model's values as widgets take them: colours, texts and character positions.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <cstdint>
#include <string>

#include "platform/toolkit/colors.h"

namespace desk {

// A toolkit colour (0x00BBGGRR, or a system colour index) as drawn with this palette.
QColor ToQColor(platform::toolkit::Color color, const QPalette& palette);

QString ToQString(const std::string& text);
std::string ToUtf8(const QString& text);

// A text box's text as a widget shows it, and positions between the two. The model
// counts characters (code points) and keeps a multi-line box's line breaks as "\r\n";
// the widget counts UTF-16 units and, with `lines`, breaks lines with "\n" alone.
QString ShownText(const std::string& text, bool lines);
int32_t WidgetPosition(const std::string& text, int32_t characters, bool lines);
int32_t ModelPosition(const std::string& text, int32_t widgetPosition, bool lines);

}  // namespace desk
