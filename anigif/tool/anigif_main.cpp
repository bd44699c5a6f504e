// anigif frames FILE --out DIR [--background RRGGBB] [--stretch N --size WxH] [--mirror M]
// anigif export FILE FRAME OUT.gif [--mirror M]
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>

#include "tool/export_command.h"
#include "tool/frames_command.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int Usage(const QString& reason) {
    std::fprintf(stderr, "anigif: %s\nTry 'anigif --help'.\n", qPrintable(reason));
    return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("anigif"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "frames: writes every frame of one pass of an animated GIF as PNG files 1.png, 2.png, "
        "..., drawn as the GIF control draws them.\n"
        "export: writes one frame (counted from 1) as a one-frame GIF, as the GIF control "
        "exports it."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("frames or export."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The GIF image."));
    parser.addPositionalArgument(QStringLiteral("[FRAME OUT.gif]"),
                                 QStringLiteral("export: the frame and the file to write."));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Folder for the PNG files."),
                                 QStringLiteral("DIR"));
    const QCommandLineOption background(
        QStringLiteral("background"),
        QStringLiteral("Draw over this colour instead of leaving the background transparent."),
        QStringLiteral("RRGGBB"));
    const QCommandLineOption stretch(
        QStringLiteral("stretch"),
        QStringLiteral("0 unscaled, 1 fit, 2 fill, 3 fit without enlarging, 4 image size."),
        QStringLiteral("N"));
    const QCommandLineOption size(QStringLiteral("size"),
                                  QStringLiteral("The control's size (default: the image's)."),
                                  QStringLiteral("WxH"));
    const QCommandLineOption mirror(QStringLiteral("mirror"),
                                    QStringLiteral("1 horizontally, 2 vertically, 3 both."),
                                    QStringLiteral("M"));
    parser.addOptions({out, background, stretch, size, mirror});
    if (!parser.parse(QCoreApplication::arguments())) return Usage(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);

    const QStringList args = parser.positionalArguments();
    bool ok = true;
    std::int32_t mirrorMode = 0;
    if (parser.isSet(mirror)) {
        mirrorMode = parser.value(mirror).toInt(&ok);
        if (!ok || mirrorMode < 0 || mirrorMode > 3)
            return Usage(QStringLiteral("--mirror takes 0 to 3"));
    }
    if (!args.isEmpty() && args[0] == QStringLiteral("export")) {
        if (args.size() != 4) return Usage(QStringLiteral("expected: export FILE FRAME OUT.gif"));
        const int frame = args[2].toInt(&ok);
        if (!ok) return Usage(QStringLiteral("FRAME is a frame number, counted from 1"));
        if (const std::optional<QString> error =
                anigif::ExportFrame(args[1], frame, mirrorMode, args[3])) {
            std::fprintf(stderr, "anigif: %s\n", qPrintable(*error));
            return kFailed;
        }
        return 0;
    }
    if (args.size() != 2 || args[0] != QStringLiteral("frames"))
        return Usage(
            QStringLiteral("expected: frames FILE --out DIR, or export FILE FRAME OUT.gif"));
    if (!parser.isSet(out)) return Usage(QStringLiteral("--out DIR is required"));

    anigif::FramesRequest request;
    request.file = args[1];
    request.outDir = parser.value(out);
    request.mirror = mirrorMode;
    if (parser.isSet(background)) {
        const QString hex = parser.value(background);
        const uint rgb = hex.toUInt(&ok, 16);
        if (!ok || hex.size() != 6) return Usage(QStringLiteral("--background takes RRGGBB"));
        request.background = rgb;
    }
    if (parser.isSet(stretch)) {
        const int mode = parser.value(stretch).toInt(&ok);
        if (!ok || mode < 0 || mode > 4) return Usage(QStringLiteral("--stretch takes 0 to 4"));
        request.stretch = mode;
    }
    if (parser.isSet(size)) {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(parser.value(size));
        if (!m.hasMatch() || m.captured(1).toInt() == 0 || m.captured(2).toInt() == 0)
            return Usage(QStringLiteral("--size takes WxH, for instance 64x48"));
        request.width = m.captured(1).toInt();
        request.height = m.captured(2).toInt();
    }
    if (const std::optional<QString> error = anigif::WriteFramePngs(request)) {
        std::fprintf(stderr, "anigif: %s\n", qPrintable(*error));
        return kFailed;
    }
    return 0;
}
