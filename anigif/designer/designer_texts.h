#pragma once

#include <QString>

#include <string_view>

namespace anigif {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Every member of the control with its arguments and help text, as rich text for "What's this".
QString MemberListHtml();

// The widget as the widget box inserts it, with each property's help as its tool tip and the
// image path kept untranslated.
QString WidgetDomXml(const QString& className);

}  // namespace anigif
