#include "designer/designer_texts.h"

#include <QMetaProperty>

#include "control/help_text.h"
#include "control/qt/ani_gif_widget.h"

namespace anigif {
namespace {

// The widget's own property: the control keeps images, not paths.
constexpr std::string_view kGifFileHelp =
    "The GIF file or resource shown: its first frame while designing, the animation at run time";

QString Escaped(std::string_view text) { return ToQString(text).toHtmlEscaped(); }

}  // namespace

QString MemberListHtml() {
    QString html = QStringLiteral("<p>Animated GIF control</p>");
    const std::pair<MemberKind, const char*> sections[] = {{MemberKind::Property, "Properties"},
                                                           {MemberKind::Method, "Methods"},
                                                           {MemberKind::Event, "Events"}};
    for (const auto& [kind, title] : sections) {
        html += QStringLiteral("<p><b>%1</b></p><ul>").arg(QLatin1String(title));
        for (const MemberHelp& m : kHelpTable) {
            if (m.Kind != kind) continue;
            html += QStringLiteral("<li><b>%1</b>").arg(Escaped(m.Name));
            if (!m.Arguments.empty()) html += QStringLiteral("(%1)").arg(Escaped(m.Arguments));
            if (!m.Help.empty()) html += QStringLiteral(": ") + Escaped(m.Help);
            html += QStringLiteral("</li>");
        }
        html += QStringLiteral("</ul>");
    }
    return html;
}

QString WidgetDomXml(const QString& className) {
    QString tips;
    const QMetaObject& meta = AniGifWidget::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const std::string_view name = meta.property(i).name();
        const std::string_view help = name == "GifFile" ? kGifFileHelp : HelpOf(name);
        tips += QStringLiteral("   <tooltip name=\"%1\">%2</tooltip>\n")
                    .arg(ToQString(name), Escaped(help));
    }
    return QStringLiteral(R"(<ui language="c++">
 <widget class="%1" name="aniGif">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>100</width><height>100</height></rect>
  </property>
 </widget>
 <customwidgets>
  <customwidget>
   <class>%1</class>
   <propertyspecifications>
%2   <stringpropertyspecification name="GifFile" notr="true" type="singleline"/>
   </propertyspecifications>
  </customwidget>
 </customwidgets>
</ui>
)")
        .arg(className, tips);
}

}  // namespace anigif
