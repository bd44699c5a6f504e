// A program that uses the control without any toolkit, built from the installed headers and the
// flags pkg-config gives for anigif-core: loads a GIF, paints it, prints what it found.
#include <anigif/control/offscreen_host.h>
#include <anigif/control/uc_ani_gif.h>

#include <cstdio>

int main(int argc, char* argv[]) {
    anigif::OffscreenHost host;
    host.client = {64, 64};
    anigif::ucAniGIF gif(host);
    if (argc < 2 || !gif.LoadAnimatedGIF_File(argv[1])) return 1;
    anigif::Surface32 surface(host.client.Width, host.client.Height);
    gif.UserControl_Paint(surface, 0);
    std::printf("%d frames, %d x %d\n", gif.FrameCount(), gif.ActualWidth(), gif.ActualHeight());
}
