#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "anigif/control/property_table.h"

namespace anigif {

// Every member of the control as callers see it in a form designer or a class browser, one row
// each: ROW(Kind, Name, Arguments, Help). Arguments are the setter's or the call's argument names,
// comma-separated ("" for none); Help is the text shown beside the member ("" where the member has
// none). Expanded into a constexpr table below and into the widget's class information, so every
// tool reads the same words.
#define ANIGIF_HELP_TABLE(ROW)                                                                  \
    ROW(Property, AnimatedGIF, "aGif", "Returns/sets a graphic to be displayed in a control")   \
    ROW(Property, CurrentFrame, "", "Returns the current frame")                                \
    ROW(Property, Enabled, "Enable",                                                            \
        "Returns/sets a value that determines whether an object can respond to user-generated " \
        "events")                                                                               \
    ROW(Property, FrameCount, "nrFrames", "Returns the number of frames within the GIF")        \
    ROW(Property, ActualWidth, "", "Original width of the overall GIF image")                   \
    ROW(Property, ActualHeight, "", "Original height of the overall GIF image")                 \
    ROW(Property, Stretch, "newScale",                                                          \
        "Returns/sets a value that determines whether a graphic resizes to fit the size of an " \
        "Image control")                                                                        \
    ROW(Property, MinFrameDelay, "Delay",                                                       \
        "The minimum number of milliseconds a frame will remain before it is replaced.")        \
    ROW(Property, Loops, "Count",                                                               \
        "The number of loops that will occur before animation stops. Zero will loop infintely") \
    ROW(Property, LoopsRemaining, "",                                                           \
        "Returns remaining number of loops before animation terminates")                        \
    ROW(Property, Mirrored, "MirrorStyle", "Mirrors images either horizontally or vertically")  \
    ROW(Property, Action, "Act", "Start, Stop and Pause animation")                             \
    ROW(Property, DelayAnimation, "Mode",                                                       \
        "During runtime, animation is paused until the first frame is loaded and displayed")    \
    ROW(Property, MouseIcon, "MousePic", "Sets a custom mouse icon")                            \
    ROW(Property, MousePointer, "Pointer",                                                      \
        "Returns/sets the type of mouse pointer displayed when over part of an object")         \
    ROW(Property, OffsetX, "NewOffset", "Adjusts left edge of rendered frame by n pixels")      \
    ROW(Property, OffsetY, "NewOffset", "Adjusts top edge of rendered frame by n pixels")       \
    ROW(Property, SolidBkgColor, "Color",                                                       \
        "Transparent GIFs will be rendered over this background color")                         \
    ROW(Property, SolidBkgColorUsed, "IgnoreTransparency",                                      \
        "Use the SolidBkgColor property otherwise ignore it")                                   \
    ROW(Property, SteppedDelay, "newDelay",                                                     \
        "Forces all frames to be rendered by the value provided. Zero erases SteppedDelay")     \
    ROW(Method, LoadAnimatedGIF_File, "FileName", "Optional method to assign a GIF")            \
    ROW(Method, LoadAnimatedGIF_Remote, "RemotePath", "")                                       \
    ROW(Method, LoadAnimatedGIF_Array, "Bytes", "")                                             \
    ROW(Method, GetPalette, "FrameIndex, paletteEntries",                                       \
        "Returns palette entries for a selected frame")                                         \
    ROW(Method, SetPalette, "FrameIndex, paletteEntries",                                       \
        "Sets palette entries for a selected frame")                                            \
    ROW(Method, CacheColorTables, "",                                                           \
        "Have control save GIF color tables in preparation of callig SetPalette and later "     \
        "restoring original palette")                                                           \
    ROW(Method, RestoreColorTables, "bReleaseCache",                                            \
        "Restores GIF color tables to those cached from CacheColorTables")                      \
    ROW(Method, Refresh, "", "Forces a complete repaint of a object")                           \
    ROW(Event, Click, "",                                                                       \
        "Occurs when the user presses and then releases a mouse button over an object")         \
    ROW(Event, MouseDown, "Button, Shift, x, y",                                                \
        "Occurs when the user presses the mouse button while an object has the focus")          \
    ROW(Event, MouseUp, "Button, Shift, x, y",                                                  \
        "Occurs when the user releases the mouse button while an object has the focus")         \
    ROW(Event, MouseMove, "Button, Shift, x, y", "Occurs when the user moves the mouse")        \
    ROW(Event, LoopsEnded, "", "Event that occurs when all loops for the GIF have terminated")  \
    ROW(Event, FrameChanged, "FrameIndex, viaTimer",                                            \
        "Event that occurs when any frame is rendered manually or via a timer")                 \
    ROW(Event, RemoteLoadComplete, "gifWidth, gifHeight, Cancel",                               \
        "Event that occurs when a remotely loaded GIF has been validated")                      \
    ROW(Event, RemoteLoadFailure, "",                                                           \
        "Event that occurs when a remotely loaded GIF failed to be read")

enum class MemberKind : std::uint8_t { Property, Method, Event };

struct MemberHelp {
    MemberKind Kind;
    std::string_view Name;
    std::string_view Arguments;
    std::string_view Help;
};

inline constexpr std::array kHelpTable = {
#define ANIGIF_HELP_ROW(Kind, Name, Arguments, Help) \
    MemberHelp{MemberKind::Kind, #Name, Arguments, Help},
    ANIGIF_HELP_TABLE(ANIGIF_HELP_ROW)
#undef ANIGIF_HELP_ROW
};

// The row of the member called `name`; nothing when the control has no such member.
constexpr const MemberHelp* FindHelp(std::string_view name) {
    const auto* row = std::find_if(kHelpTable.begin(), kHelpTable.end(),
                                   [&](const MemberHelp& m) { return m.Name == name; });
    return row == kHelpTable.end() ? nullptr : row;
}

// The help text of `name`; empty when the member has none.
constexpr std::string_view HelpOf(std::string_view name) {
    const MemberHelp* row = FindHelp(name);
    return row ? row->Help : std::string_view{};
}

// A saved property with no help would show an empty tool tip in a designer.
static_assert(std::ranges::all_of(kPropertyTable,
                                  [](const PropertySpec& p) {
                                      const MemberHelp* row = FindHelp(p.Name);
                                      return row && row->Kind == MemberKind::Property &&
                                             !row->Help.empty();
                                  }),
              "every saved property needs a help row");

}  // namespace anigif
