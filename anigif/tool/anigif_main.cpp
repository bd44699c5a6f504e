// anigif frames FILE --out DIR [--background RRGGBB] [--stretch N --size WxH] [--mirror M]
// anigif frames --store STORE --out DIR [...]
// anigif export FILE FRAME OUT.gif [--mirror M]
// anigif info FILE
// anigif design FILE --out STORE [--stretch N --loops N --delay MS --mirror M ...]
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>
#include <new>

#include "cli/standard_options.h"
#include "tool/design_command.h"
#include "tool/export_command.h"
#include "tool/frames_command.h"
#include "tool/info_command.h"

namespace {

constexpr int kFailed = 1;

int Usage(const QString& reason) { return cli::UsageError(QStringLiteral("anigif"), reason); }

int Failed(const QString& reason) {
    std::fprintf(stderr, "anigif: %s\n", qPrintable(reason));
    return kFailed;
}

QCommandLineOption Option(const char* name, const char* help, const char* value = nullptr) {
    return value ? QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(help),
                                      QString::fromLatin1(value))
                 : QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(help));
}

// The options' values, checked: a bad one ends the program with the usage status.
class Options {
  public:
    explicit Options(const QCommandLineParser& parser) : parser_(parser) {}

    std::optional<std::int32_t> Int(const char* name, std::int32_t lo, std::int32_t hi) {
        const QString key = QString::fromLatin1(name);
        if (!parser_.isSet(key)) return std::nullopt;
        bool ok = false;
        const int v = parser_.value(key).toInt(&ok);
        if (!ok || v < lo || v > hi)
            Fail(QStringLiteral("--%1 takes %2 to %3").arg(key).arg(lo).arg(hi));
        return v;
    }
    std::optional<std::uint32_t> Rgb(const char* name) {
        const QString key = QString::fromLatin1(name);
        if (!parser_.isSet(key)) return std::nullopt;
        bool ok = false;
        const QString hex = parser_.value(key);
        const uint rgb = hex.toUInt(&ok, 16);
        if (!ok || hex.size() != 6) Fail(QStringLiteral("--%1 takes RRGGBB").arg(key));
        return rgb;
    }
    const QString& Error() const { return error_; }

  private:
    void Fail(const QString& reason) {
        if (error_.isEmpty()) error_ = reason;
    }
    const QCommandLineParser& parser_;
    QString error_;
};

constexpr std::int32_t kMax = 2147483647;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("anigif"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Shows what the GIF control makes of a GIF image.\n"
        "  frames FILE --out DIR   every frame of one pass as 1.png, 2.png, ..., drawn as the\n"
        "                          control draws it (or --store STORE instead of FILE)\n"
        "  export FILE FRAME OUT   frame FRAME (from 1) as a one-frame GIF, as the control\n"
        "                          exports it\n"
        "  info FILE               the canvas, loop count and frames as JSON\n"
        "  design FILE --out STORE the control's saved settings with FILE assigned, as a form\n"
        "                          designer keeps them"));
    cli::AddStandardOptions(parser);
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("frames, export, info or design."));
    parser.addOptions({
        Option("out", "frames: the folder for the PNG files; design: the settings file.", "PATH"),
        Option("store", "frames: play saved settings instead of a GIF file.", "STORE"),
        Option("background", "frames: draw over this colour instead of transparency.", "RRGGBB"),
        Option("size", "frames: the control's size (default: the image's).", "WxH"),
        Option("stretch", "0 unscaled, 1 fit, 2 fill, 3 fit without enlarging, 4 image size.", "N"),
        Option("mirror", "1 horizontally, 2 vertically, 3 both.", "M"),
        Option("loops", "design: passes before playback stops (0 endless).", "N"),
        Option("delay", "design: the shortest time a frame stays, in ms.", "MS"),
        Option("stepped-delay", "design: every frame stays this long, in ms.", "MS"),
        Option("delay-load",
               "design: 0 build every frame first, 1 show frame 1 at once, 2 and "
               "3 also do not start playing.",
               "N"),
        Option("offset-x", "design: shift of the image in pixels.", "PX"),
        Option("offset-y", "design: shift of the image in pixels.", "PX"),
        Option("fill", "design: draw over this solid colour.", "RRGGBB"),
    });
    if (!parser.parse(QCoreApplication::arguments())) return Usage(parser.errorText());
    if (const auto status = cli::AnswerHelpOrVersion(parser, parser.helpText())) return *status;

    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    const QString out = parser.value(QStringLiteral("out"));
    Options o(parser);

    if (command == QStringLiteral("info")) {
        if (args.size() != 2) return Usage(QStringLiteral("expected: info FILE"));
        const std::optional<QString> error = anigif::DescribeGif(args[1], stdout);
        return error ? Failed(*error) : 0;
    }
    const std::optional<std::int32_t> mirror = o.Int("mirror", 0, 3);
    const std::optional<std::int32_t> stretch = o.Int("stretch", 0, 4);
    if (command == QStringLiteral("export")) {
        if (args.size() != 4) return Usage(QStringLiteral("expected: export FILE FRAME OUT.gif"));
        bool ok = false;
        const int frame = args[2].toInt(&ok);
        if (!ok) return Usage(QStringLiteral("FRAME is a frame number, counted from 1"));
        if (!o.Error().isEmpty()) return Usage(o.Error());
        const auto error = anigif::ExportFrame(args[1], frame, mirror.value_or(0), args[3]);
        return error ? Failed(*error) : 0;
    }
    if (command == QStringLiteral("design")) {
        if (args.size() != 2 || out.isEmpty())
            return Usage(QStringLiteral("expected: design FILE --out STORE"));
        anigif::DesignRequest r;
        r.file = args[1];
        r.store = out;
        r.stretch = stretch;
        r.mirror = mirror;
        r.loops = o.Int("loops", 0, 65535);
        r.delay = o.Int("delay", 10, 32700);
        r.steppedDelay = o.Int("stepped-delay", 0, kMax);
        r.delayLoad = o.Int("delay-load", 0, 3);
        r.offsetX = o.Int("offset-x", -kMax, kMax);
        r.offsetY = o.Int("offset-y", -kMax, kMax);
        r.background = o.Rgb("fill");
        if (!o.Error().isEmpty()) return Usage(o.Error());
        const auto error = anigif::SaveDesign(r);
        return error ? Failed(*error) : 0;
    }
    if (command != QStringLiteral("frames"))
        return Usage(QStringLiteral("expected a command: frames, export, info or design"));

    anigif::FramesRequest request;
    request.store = parser.value(QStringLiteral("store"));
    if (request.store.isEmpty() == (args.size() != 2))
        return Usage(QStringLiteral("expected: frames FILE --out DIR, or frames --store STORE"));
    if (out.isEmpty()) return Usage(QStringLiteral("--out DIR is required"));
    request.file = args.value(1);
    request.outDir = out;
    request.mirror = mirror.value_or(0);
    request.stretch = stretch;
    request.background = o.Rgb("background");
    if (parser.isSet(QStringLiteral("size"))) {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"))
                .match(parser.value(QStringLiteral("size")));
        const int w = m.captured(1).toInt(), h = m.captured(2).toInt();
        if (!m.hasMatch() || w == 0 || h == 0)
            return Usage(QStringLiteral("--size takes WxH, for instance 64x48"));
        request.width = m.captured(1).toInt();
        request.height = m.captured(2).toInt();
    }
    if (!o.Error().isEmpty()) return Usage(o.Error());
    try {
        const auto error = anigif::WriteFramePngs(request);
        return error ? Failed(*error) : 0;
    } catch (const std::bad_alloc&) {
        return Failed(QStringLiteral("not enough memory to draw the frames"));
    }
}
