// Window descriptions as data: every window of the program is a WindowSpec
// with an ordered list of ControlSpecs, and every button's behaviour is a
// short list of steps. Nothing here touches Windows, so the descriptions are
// unit-tested natively.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tandrel {

enum class WindowId {
    Main,
    ApkTools,
    BootImg,
    ApkCommand,
    WeChatDonation,
    AlipayDonation,
    UpdateLog,
    ByteConverter,
    UpdateCheck,
};
inline constexpr int kWindowCount = 9;

enum class ControlKind { Button, Label, EditBox, GroupBox, PicBox };
enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Centre, Bottom };

// An RGB colour, or the system colour COLOR_BTNFACE when `system` is set.
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool system = false;
    friend bool operator==(const Colour&, const Colour&) = default;
};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kSilver{192, 192, 192};
inline constexpr Colour kGrey{128, 128, 128};
inline constexpr Colour kSystemFace{0, 0, 0, true};

// A font by face, pixel height and weight; an empty face means the stock
// DEFAULT_GUI_FONT.
struct FontSpec {
    std::string_view face;
    int pixelHeight = 0;
    int weight = 400;
    bool IsDefault() const { return face.empty(); }
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};
inline constexpr FontSpec kGuiFont{};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The things a handler can do. The first four are the launch operations;
// the rest are the few handlers with logic of their own.
enum class Operation {
    LaunchCommand,      // text: command line
    OpenWindow,         // window
    CloseWindow,        // window
    ShowMessage,        // text: message, title: title (empty: the default)
    LoadTextFile,       // text: file path, control: edit box that shows it
    ConvertGigabytes,   // the byte converter's conversion
    ShowCurrentVersion, // control: label that shows the version
    StartUpdateCheck,   // starts one update check on a worker thread
};

struct Step {
    Operation operation = Operation::LaunchCommand;
    std::string_view text;
    std::string_view title;
    WindowId window = WindowId::Main;
    std::string_view control;
};
using Handler = std::vector<Step>;

Step Launch(std::string_view commandLine);
Step Open(WindowId window);
Step Close(WindowId window);
Step Message(std::string_view text, std::string_view title = {});
Step LoadTextFile(std::string_view path, std::string_view editBox);
Step Run(Operation operation, std::string_view control = {});

enum class Picture { None, WeChatCode, AlipayCode };

// How a label lays out its caption.
struct TextLayout {
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Centre;
    bool wordWrap = false;
};
inline constexpr TextLayout kLeftCentre{HAlign::Left, VAlign::Centre, false};
inline constexpr TextLayout kCentreCentre{HAlign::Centre, VAlign::Centre, false};
inline constexpr TextLayout kLeftWrap{HAlign::Left, VAlign::Top, true};
inline constexpr TextLayout kCentreWrap{HAlign::Centre, VAlign::Top, true};

// The edit box settings.
struct EditStyle {
    bool multiLine = false;
    bool verticalScrollBar = false;
    bool readOnly = false;
    HAlign align = HAlign::Left;
};
inline constexpr EditStyle kInputBox{false, false, false, HAlign::Centre};
inline constexpr EditStyle kResultBox{false, false, true, HAlign::Centre};
inline constexpr EditStyle kViewerBox{true, true, true, HAlign::Left};

struct ControlSpec {
    std::string_view name;
    ControlKind kind = ControlKind::Label;
    std::string_view parent; // a group box of the same window; empty: the window
    Rect rect;
    std::string_view caption; // for an edit box, its initial text
    FontSpec font;
    Colour textColour = kBlack;
    Colour backgroundColour = kWhite;
    bool visible = true;
    bool tabStop = false;
    TextLayout layout;                  // labels
    bool isDefault = false;             // buttons
    EditStyle edit;                     // edit boxes
    HAlign captionAlign = HAlign::Left; // group boxes
    Picture picture = Picture::None;    // picture boxes
    Handler onClick;                    // buttons
};

struct WindowSpec {
    WindowId id = WindowId::Main;
    std::string_view caption;
    int width = 0;
    int height = 0;
    Colour backgroundColour = kWhite;
    Handler onCreated;
    std::vector<ControlSpec> controls;
};

// Row builders that keep the window tables short and readable.
ControlSpec Button(std::string_view name, std::string_view parent, Rect rect,
                   std::string_view caption, FontSpec font, Handler onClick,
                   bool isDefault = false);
ControlSpec Label(std::string_view name, std::string_view parent, Rect rect,
                  std::string_view caption, FontSpec font, Colour textColour,
                  Colour backgroundColour, TextLayout layout);
ControlSpec EditBox(std::string_view name, std::string_view parent, Rect rect,
                    std::string_view text, FontSpec font, EditStyle style);
ControlSpec GroupBox(std::string_view name, std::string_view parent, Rect rect,
                     std::string_view caption, FontSpec font, HAlign captionAlign);
ControlSpec PicBox(std::string_view name, std::string_view parent, Rect rect, Picture picture);
ControlSpec Hidden(ControlSpec control);

// The nine descriptions.
const WindowSpec& Describe(WindowId id);

// A control's window id is its 1-based place in the control order.
int ControlId(const WindowSpec& window, std::string_view name);
const ControlSpec* FindControl(const WindowSpec& window, std::string_view name);

} // namespace tandrel
