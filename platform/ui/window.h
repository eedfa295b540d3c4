#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {
class Files;
}

namespace ui {

class Window;
class Control;

// An RGB colour as 0x00BBGGRR, the layout Windows uses.
using Colour = std::uint32_t;
constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16;
}
// The system's colours, named as Windows names them: the top bit set and the system colour's
// index below. A backend shows one as the system (or its theme) shows that element.
constexpr Colour kButtonFace = 0x8000000F; // a form's and a caption's background
constexpr Colour kButtonText = 0x80000012; // a caption's text
constexpr bool isSystemColour(Colour c) {
    return (c & 0x80000000u) != 0;
}

// What changed on a control, for the backend to mirror into its native control. Items and
// Selection are the whole list and every line's selection; the Line kinds name one line of a
// list (ListBox::changedLine), so that n changes cost n native calls, not n times the list.
enum class Prop {
    Caption,
    Enabled,
    Visible,
    Bounds,
    Colours,
    Font,
    Items,
    Selection,
    Value,
    Timer,
    LineAdded,    // a line was appended
    LineRemoved,  // the line was removed; no line is current
    LineText,     // the line's text changed
    LineSelected, // the line's selected flag changed (single selection: the others cleared)
    CurrentLine,  // the list index changed
};

// What a control is, for a backend to pick the native side of each control by.
enum class Kind {
    Label,
    Button,
    Frame,
    Image,
    ListBox,
    TextBox,
    CheckBox,
    Option,
    ComboBox,
    Menu,
    DriveList,
    DirList,
    Timer,
};

// The native side of one control.
class ControlPeer {
  public:
    virtual ~ControlPeer() = default;
    virtual void update(Prop what) = 0;
    // Paints the control now, while the window's thread is busy.
    virtual void repaint() = 0;
};

// A control: plain state plus events. Setters tell the peer, when there is one.
class Control {
  public:
    Control(Window& owner, std::string name, Control* container = nullptr);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual Kind kind() const = 0;
    const std::string& name() const { return name_; }
    Window& owner() const { return owner_; }
    Control* container() const { return container_; }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& text);
    bool enabled() const { return enabled_; }
    // Enabling, showing or moving a control reaches every control inside it, at any depth: each
    // one's peer hears of the change and shows the control as usable(), shown() and its
    // containers' places say.
    void setEnabled(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);
    // Visible itself and inside visible containers.
    bool shown() const;
    // Enabled itself and inside enabled containers.
    bool usable() const;
    // Whether this is `outer` or lies inside it, directly or through frames within it: a
    // change of `outer`'s state reaches this control.
    bool isInside(const Control& outer) const;

    // Position and size in twips, relative to the container.
    int left = 0, top = 0, width = 0, height = 0;
    void setBounds(int l, int t, int w, int h);

    Colour foreColour() const { return fore_; }
    Colour backColour() const { return back_; }
    bool transparent() const { return transparent_; }
    void setForeColour(Colour c);
    void setBackColour(Colour c);
    void setTransparent(bool on);

    std::string fontName = "MS Sans Serif";
    int fontSize = 8;
    bool fontBold = false;
    void setFont(const std::string& face, int size, bool bold = false);

    void repaint();

    std::function<void()> click, dblClick, change, keyUp;

    ControlPeer* peer = nullptr;

  protected:
    void changed(Prop what);

  private:
    void changedInside(Prop what);
    Window& owner_;
    std::string name_;
    Control* container_;
    std::string caption_;
    bool enabled_ = true, visible_ = true, transparent_ = false;
    Colour fore_ = kButtonText, back_ = kButtonFace;
};

// Places a control by a layout drawn in pixels at 96 DPI (15 twips each), relative to its
// container.
inline void place(Control& c, int left, int top, int width, int height) {
    c.setBounds(left * 15, top * 15, width * 15, height * 15);
}

enum class Align { Left, Right, Center };

class Label : public Control {
  public:
    Kind kind() const override { return Kind::Label; }
    using Control::Control;
    Align alignment = Align::Left;
};

// Return presses the window's default button and Escape its cancel button, wherever the focus
// lies (Window::pressDefault, pressCancel).
class Button : public Control {
  public:
    Kind kind() const override { return Kind::Button; }
    using Control::Control;
    bool isDefault = false, isCancel = false;
};

class Frame : public Control {
  public:
    Kind kind() const override { return Kind::Frame; }
    using Control::Control;
    // The frame only carries state: it and its controls never show and get no native side.
    bool stateOnly = false;
};

// A picture from the program's resources, by resource name.
class Image : public Control {
  public:
    Kind kind() const override { return Kind::Image; }
    using Control::Control;
    std::string picture;
};

// The order of sorted lists (files and folders), as Windows list boxes sort: without regard to
// case, texts equal but for case in a fixed order.
bool sortsBefore(const std::string& a, const std::string& b);

class ListBox : public Control {
  public:
    Kind kind() const override { return Kind::ListBox; }
    ListBox(Window& owner, std::string name, Control* container = nullptr,
            bool multiSelect = false);

    bool multiSelect() const { return multi_; }
    int count() const { return static_cast<int>(items_.size()); }
    const std::string& item(int i) const { return items_.at(i).text; }
    void addItem(const std::string& text);
    // Replaces the text of line i; its place and selection stay.
    void setItem(int i, const std::string& text);
    // Removes line i; afterwards no line is current.
    void removeItem(int i);
    void clear();
    bool selected(int i) const { return items_.at(i).selected; }
    void setSelected(int i, bool on);
    // The current line, -1 for none.
    int listIndex() const { return index_; }
    void setListIndex(int i);
    // The line the last Line change was about.
    int changedLine() const { return changed_; }
    // The player changed the selection in the native list: the model takes every line's flag
    // (one per line; a single-selection list takes only the current line), line by line,
    // then the current line, -1 for none.
    void takeSelection(const std::vector<bool>& on, int current);
    // A click on line i of a list of several selections, as Windows takes it: that line alone
    // toggles and becomes the current one.
    void toggleLine(int i);

  protected:
    struct Entry {
        std::string text;
        bool selected = false;
    };
    void replaceItems(std::vector<std::string> texts);

  private:
    void lineChanged(Prop what, int i);

    bool multi_;
    std::vector<Entry> items_;
    int index_ = -1;
    int changed_ = -1;
};

// The files of one folder that match a pattern, sorted; the listing comes from the file system.
class FileList : public ListBox {
  public:
    FileList(Window& owner, std::string name, platform::Files& files, Control* container = nullptr,
             bool multiSelect = false);
    std::string pattern = "*";
    const std::string& path() const { return path_; }
    // Lists the folder; false (and the listing unchanged) when it does not exist.
    bool setPath(const std::string& folder);
    bool refresh();

  private:
    platform::Files& files_;
    std::string path_;
};

// A text box; its text is the caption. Setting the text raises `change`, as typing does.
class TextBox : public Control {
  public:
    Kind kind() const override { return Kind::TextBox; }
    using Control::Control;
    const std::string& text() const { return caption(); }
    void setText(const std::string& t);
    // Shows a mark for each character typed instead of the text, as password boxes do.
    bool password = false;
};

// A check box with the value 0 (clear) or 1 (ticked). Setting the value raises `click`.
class CheckBox : public Control {
  public:
    Kind kind() const override { return Kind::CheckBox; }
    using Control::Control;
    int value() const { return value_; }
    void setValue(int v);

  private:
    int value_ = 0;
};

// An option button: the options of one container form a group, one of them selected.
// Selecting one clears the others of its container and raises its `click`.
class OptionButton : public Control {
  public:
    Kind kind() const override { return Kind::Option; }
    using Control::Control;
    bool value() const { return value_; }
    void setValue(bool on);

  private:
    bool value_ = false;
};

// A combo box: a list of entries and a text that may be any text.
class ComboBox : public ListBox {
  public:
    Kind kind() const override { return Kind::ComboBox; }
    using ListBox::ListBox;
    const std::string& text() const { return caption(); }
    void setText(const std::string& t);
};

// A menu entry. Entries without a parent entry are the menu bar's; `separator` draws a line.
class MenuItem : public Control {
  public:
    Kind kind() const override { return Kind::Menu; }
    MenuItem(Window& owner, std::string name, const std::string& caption,
             MenuItem* parent = nullptr);
    bool checked() const { return checked_; }
    void setChecked(bool on);
    bool separator = false;

  private:
    bool checked_ = false;
};

// Paths of systems without drive letters start at the root "/". Their drive list holds "/" and
// the folders where other file systems are mounted; choosing a folder chooses the deepest of
// them that holds it.
bool isRooted(const std::string& path);
// Whether `folder` is `path` or one of its parents (rooted paths).
bool holds(const std::string& folder, const std::string& path);
// The deepest of `drives` that holds `path`; empty when none does.
std::string driveOf(const std::vector<std::string>& drives, const std::string& path);

// The drives of the system, one of them chosen ("c:"). Choosing one raises `change`.
class DriveList : public Control {
  public:
    Kind kind() const override { return Kind::DriveList; }
    DriveList(Window& owner, std::string name, platform::Files& files,
              Control* container = nullptr);
    const std::string& drive() const { return caption(); }
    // Chooses a drive by its letter ("d", "D:\x" and "d:" choose the same); false when the
    // system has no such drive.
    bool setDrive(const std::string& drive);
    const std::vector<std::string>& drives() const { return drives_; }

  private:
    platform::Files& files_;
    std::vector<std::string> drives_;
};

// A folder list: the open folder with its parents and its subfolders. A click highlights an
// entry (the list index), a double click opens it.
class DirList : public Control {
  public:
    Kind kind() const override { return Kind::DirList; }
    DirList(Window& owner, std::string name, platform::Files& files, Control* container = nullptr);
    // The open folder, a full path ("C:\Games"; a drive root ends with "\").
    const std::string& path() const { return path_; }
    bool setPath(const std::string& folder);
    // Every entry as a full path: the parents from the drive root down, the open folder,
    // then its subfolders, sorted.
    const std::vector<std::string>& entries() const { return entries_; }
    int openIndex() const { return open_; }
    int listIndex() const { return index_; }
    void setListIndex(int i);
    // The highlighted entry's path, or the open folder when none is highlighted.
    std::string chosen() const;
    // Opens the highlighted entry, as a double click does.
    bool openHighlighted();

  private:
    bool setRootedPath(const std::string& folder);
    platform::Files& files_;
    std::string path_;
    std::vector<std::string> entries_;
    int open_ = -1, index_ = -1;
};

// A timer that ticks every `interval` ms while enabled.
class Timer : public Control {
  public:
    Kind kind() const override { return Kind::Timer; }
    Timer(Window& owner, std::string name, int intervalMs);
    int interval;
    std::function<void()> tick;
};

// A point on the screen, in pixels.
struct ScreenPoint {
    int x = 0, y = 0;
    bool operator==(const ScreenPoint&) const = default;
};
// A rectangle on the screen, in pixels: a monitor's work area, right and bottom outside it.
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
// Where a window of the given size with its top-left corner at `at` goes so that it stands on a
// monitor: where it is when that corner lies on one; else onto the nearest monitor, as far
// into it as the window's size allows. Unchanged without monitors.
ScreenPoint ontoMonitors(ScreenPoint at, int width, int height,
                         const std::vector<ScreenRect>& monitors);

// The native side of a window.
class WindowPeer {
  public:
    virtual ~WindowPeer() = default;
    virtual void update(Prop what) = 0;
    virtual void show() = 0;
    virtual void close() = 0;
    virtual void minimize() = 0;
    virtual void focus() = 0;
    // Limits the window to the ellipse inside the rectangle, in pixels of the window.
    virtual void setEllipticRegion(int left, int top, int right, int bottom) = 0;
    // Lets the system move the window with the mouse, as by its caption.
    virtual void beginDrag() = 0;
    virtual int twipsPerPixelX() = 0;
    virtual int twipsPerPixelY() = 0;
    // Where the window's top-left corner stands on the screen; false when that is not known.
    virtual bool position(ScreenPoint& at) {
        (void)at;
        return false;
    }
    // Moves the window's top-left corner to `at`, brought onto a monitor by ontoMonitors.
    virtual void moveTo(ScreenPoint at) { (void)at; }
};

enum class Border { None, Fixed, Sizable };

// Creates the native side of windows opened while the program runs. A backend that cannot
// create a window leaves its peer unset; the window then stays closed (Window::failed).
class Backend {
  public:
    virtual ~Backend() = default;
    virtual void create(Window& window) = 0;
};
// The program's backend; none in tests.
extern Backend* backend;

// A window: a form with its controls as members, wired to handlers in its constructor.
class Window {
  public:
    Window(std::string caption, int clientWidth, int clientHeight);
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The form's load handler: runs before the window is first shown.
    virtual void load() {}
    // Asked before the window closes by its close box or close(): false keeps it open.
    virtual bool queryUnload() { return true; }
    // Runs when the window has been closed.
    virtual void unload() {}

    // Loads the window as a form is loaded: its native side, its load handler, then shows it
    // unless loading closed it. A window that is open already only comes to the front.
    void open();

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& text);

    // Client size in twips.
    int clientWidth, clientHeight;
    Border border = Border::Fixed;
    bool centred = true;
    Window* ownerWindow = nullptr;
    // Return and Escape, as Windows dialogs take them: Return clicks the first default button
    // that is shown and usable, Escape the first such cancel button. A window owned by another
    // that shows no cancel button closes on Escape, as by its close box. True when the key did
    // something.
    bool pressDefault();
    bool pressCancel();
    // Background picture, by resource name.
    const std::string& picture() const { return picture_; }
    void setPicture(const std::string& name);
    Colour backColour = kButtonFace;
    void setClientSize(int width, int height);

    void show();
    void close();
    void minimize();
    void focus();
    bool isShown() const { return shown_; }
    // Whether it showed itself since it was last opened, also when it has closed since.
    bool wasShown() const { return everShown_; }
    bool isClosed() const { return closed_; }
    bool isOpen() const { return opened_ && !closed_; }
    // Whether the last open() got no native side from the backend: the window did not load.
    bool failed() const { return failed_; }
    void setEllipticRegion(int left, int top, int right, int bottom);
    void beginDrag();
    // Where the window stands on the screen; without a native side, where moveTo put it last.
    std::optional<ScreenPoint> position() const;
    // Moves the window; a place on no monitor is brought onto the nearest one.
    void moveTo(ScreenPoint at);
    int twipsPerPixelX() const { return peer ? peer->twipsPerPixelX() : 15; }
    int twipsPerPixelY() const { return peer ? peer->twipsPerPixelY() : 15; }

    // Mouse button pressed on the window's own area, position in twips.
    std::function<void(int x, int y)> mouseDown;

    const std::vector<Control*>& controls() const { return controls_; }
    WindowPeer* peer = nullptr;

  private:
    friend class Control;
    std::string caption_, picture_;
    std::vector<Control*> controls_;
    std::optional<ScreenPoint> movedTo_;
    bool shown_ = false, everShown_ = false, closed_ = false, opened_ = false, failed_ = false;
};

} // namespace ui
