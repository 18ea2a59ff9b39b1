#include "hosts/desk/toolkit/widget_values.h"

#include "platform/text/text.h"

namespace desk {

namespace text = platform::text;

namespace {

QPalette::ColorRole SystemRole(uint32_t index) {
    switch (index) {
        case 0x05: return QPalette::Base;             // window background
        case 0x08: return QPalette::Text;             // window text
        case 0x0D: return QPalette::Highlight;
        case 0x0E: return QPalette::HighlightedText;
        case 0x12: return QPalette::ButtonText;
        case 0x11: return QPalette::PlaceholderText;  // grey text
        case 0x18: return QPalette::ToolTipBase;
        case 0x17: return QPalette::ToolTipText;
        case 0x07: return QPalette::WindowText;       // menu text
        case 0x10: return QPalette::Dark;             // button shadow
        case 0x14: return QPalette::Light;            // button highlight
        default: return QPalette::Button;             // button face and the rest
    }
}

// Walks the model's text, calling `step(units, crlf)` for each character: the
// UTF-16 units it takes in the widget (0 for the "\r" of a line break shown as "\n").
template <class Step>
void Walk(const std::string& model, bool lines, Step step) {
    std::u32string chars = text::Characters(model);
    for (size_t i = 0; i < chars.size(); ++i) {
        int32_t units = chars[i] > 0xFFFF ? 2 : 1;
        if (lines && chars[i] == U'\r' && i + 1 < chars.size() && chars[i + 1] == U'\n') units = 0;
        if (!step(units)) return;
    }
}

}  // namespace

QColor ToQColor(platform::toolkit::Color color, const QPalette& palette) {
    if (color & 0x80000000u) return palette.color(QPalette::Active, SystemRole(color & 0xFFu));
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

QString ToQString(const std::string& value) { return QString::fromUtf8(value.data(), qsizetype(value.size())); }

std::string ToUtf8(const QString& value) { return value.toUtf8().toStdString(); }

QString ShownText(const std::string& value, bool lines) {
    QString shown = ToQString(value);
    if (lines) shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

int32_t WidgetPosition(const std::string& value, int32_t characters, bool lines) {
    int32_t units = 0, seen = 0;
    Walk(value, lines, [&](int32_t width) {
        if (seen >= characters) return false;
        ++seen;
        units += width;
        return true;
    });
    return units;
}

int32_t ModelPosition(const std::string& value, int32_t widgetPosition, bool lines) {
    int32_t units = 0, characters = 0;
    Walk(value, lines, [&](int32_t width) {
        if (units + width > widgetPosition) return false;
        // A "\r" shown as part of "\n" belongs to the break that follows it.
        if (width == 0 && units == widgetPosition) return false;
        units += width;
        ++characters;
        return true;
    });
    return characters;
}

}  // namespace desk
