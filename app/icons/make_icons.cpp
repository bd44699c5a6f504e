// make_icons DIR: writes the main window's animations as feedback.gif, home.gif and busy.gif.
#include <cstdio>
#include <fstream>
#include <string>

#include "app/icons/draw_icons.h"
#include "app/icons/gif_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_icons DIR\n", stderr);
        return 2;
    }
    const struct {
        const char* name;
        icons::Animation (*draw)();
    } files[] = {{"feedback.gif", icons::FeedbackBubble},
                 {"home.gif", icons::HomeHouse},
                 {"busy.gif", icons::BusySpinner}};
    for (const auto& file : files) {
        const std::string path = std::string(argv[1]) + "/" + file.name;
        const auto gif = icons::EncodeGif(file.draw());
        std::ofstream out(path, std::ios::binary);
        if (gif)
            out.write(reinterpret_cast<const char*>(gif->data()), std::streamsize(gif->size()));
        if (!gif || !out.flush()) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
