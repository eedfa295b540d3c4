#include "platform/ui/window.h"

#include <algorithm>
#include <cctype>

#include "platform/files.h"
#include "platform/ui/native.h"

namespace ui {

bool isRooted(const std::string& path) {
    return !path.empty() && path[0] == '/';
}

bool holds(const std::string& folder, const std::string& path) {
    return folder == "/" || path == folder ||
           (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
            path[folder.size()] == '/');
}

std::string driveOf(const std::vector<std::string>& drives, const std::string& path) {
    std::string best;
    for (const auto& k : drives)
        if (isRooted(k) && holds(k, path) && k.size() > best.size()) best = k;
    return best;
}

bool sortsBefore(const std::string& a, const std::string& b) {
    const auto folded = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    const bool less =
        std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                     [&](char x, char y) { return folded(x) < folded(y); });
    const bool more =
        std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                     [&](char x, char y) { return folded(x) < folded(y); });
    return less || (!more && a < b);
}

Control::Control(Window& owner, std::string name, Control* container)
    : owner_(owner), name_(std::move(name)), container_(container) {
    owner.controls_.push_back(this);
}

void Control::changed(Prop what) {
    if (peer) peer->update(what);
}

void Control::changedInside(Prop what) {
    for (Control* c : owner_.controls_)
        if (c->isInside(*this)) c->changed(what);
}

void Control::setCaption(const std::string& text) {
    caption_ = text;
    changed(Prop::Caption);
}

void Control::setEnabled(bool on) {
    enabled_ = on;
    changedInside(Prop::Enabled);
}

void Control::setVisible(bool on) {
    visible_ = on;
    changedInside(Prop::Visible);
}

bool Control::shown() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->visible_) return false;
    return true;
}

bool Control::usable() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->enabled_) return false;
    return true;
}

bool Control::isInside(const Control& outer) const {
    for (const Control* c = this; c; c = c->container_)
        if (c == &outer) return true;
    return false;
}

void Control::setBounds(int l, int t, int w, int h) {
    left = l, top = t, width = w, height = h;
    changedInside(Prop::Bounds);
}

void Control::setForeColour(Colour c) {
    fore_ = c;
    changed(Prop::Colours);
}

void Control::setBackColour(Colour c) {
    back_ = c;
    changed(Prop::Colours);
}

void Control::setTransparent(bool on) {
    transparent_ = on;
    changed(Prop::Colours);
}

void Control::setFont(const std::string& face, int size, bool bold) {
    fontName = face, fontSize = size, fontBold = bold;
    changed(Prop::Font);
}

void Control::repaint() {
    if (peer) peer->repaint();
}

ListBox::ListBox(Window& owner, std::string name, Control* container, bool multiSelect)
    : Control(owner, std::move(name), container), multi_(multiSelect) {}

void ListBox::lineChanged(Prop what, int i) {
    changed_ = i;
    changed(what);
}

void ListBox::addItem(const std::string& text) {
    items_.push_back({text, false});
    lineChanged(Prop::LineAdded, count() - 1);
}

void ListBox::setItem(int i, const std::string& text) {
    items_.at(i).text = text;
    lineChanged(Prop::LineText, i);
}

void ListBox::removeItem(int i) {
    items_.erase(items_.begin() + i);
    // No line becomes current by itself: the next one is the player's to click.
    index_ = -1;
    lineChanged(Prop::LineRemoved, i);
}

void ListBox::clear() {
    items_.clear();
    index_ = -1;
    changed(Prop::Items);
}

void ListBox::replaceItems(std::vector<std::string> texts) {
    items_.clear();
    items_.reserve(texts.size());
    for (auto& t : texts) items_.push_back({std::move(t), false});
    index_ = -1;
    changed(Prop::Items);
}

void ListBox::setSelected(int i, bool on) {
    Entry& line = items_.at(i);
    if (multi_ && line.selected == on) return;
    if (!multi_ && on)
        for (auto& e : items_) e.selected = false;
    line.selected = on;
    lineChanged(Prop::LineSelected, i);
}

void ListBox::takeSelection(const std::vector<bool>& on, int current) {
    if (multi_)
        for (int i = 0; i < count() && i < static_cast<int>(on.size()); ++i)
            if (on[i] != selected(i)) setSelected(i, on[i]);
    setListIndex(current);
}

void ListBox::toggleLine(int i) {
    setSelected(i, !selected(i));
    setListIndex(i);
}

void ListBox::setListIndex(int i) {
    index_ = (i >= 0 && i < count()) ? i : -1;
    if (!multi_ && index_ >= 0) {
        for (auto& e : items_) e.selected = false;
        items_[index_].selected = true;
    }
    changed(Prop::CurrentLine);
    if (click) click();
}

FileList::FileList(Window& owner, std::string name, platform::Files& files, Control* container,
                   bool multiSelect)
    : ListBox(owner, std::move(name), container, multiSelect), files_(files) {}

bool FileList::setPath(const std::string& folder) {
    std::vector<std::string> names;
    if (!files_.list(folder, pattern, names)) return false;
    std::sort(names.begin(), names.end(), sortsBefore);
    path_ = folder;
    replaceItems(std::move(names));
    return true;
}

bool FileList::refresh() {
    return setPath(path_);
}

void TextBox::setText(const std::string& t) {
    setCaption(t);
    if (change) change();
}

void CheckBox::setValue(int v) {
    value_ = v;
    changed(Prop::Value);
    if (click) click();
}

namespace {

void addInTabOrder(const Window& w, const Control* container, std::vector<Control*>& out) {
    std::vector<Control*> here;
    for (Control* c : w.controls())
        if (c->container() == container && c->kind() != Kind::Menu && c->kind() != Kind::Timer)
            here.push_back(c);
    std::stable_sort(here.begin(), here.end(), [](const Control* a, const Control* b) {
        return a->top != b->top ? a->top < b->top : a->left < b->left;
    });
    // Rows: a control whose top lies above the middle of the row's first control belongs to
    // that row; each row goes from left to right.
    for (std::size_t first = 0; first < here.size();) {
        const int middle = here[first]->top + here[first]->height / 2;
        std::size_t end = first + 1;
        while (end < here.size() && here[end]->top < middle) ++end;
        std::stable_sort(here.begin() + first, here.begin() + end,
                         [](const Control* a, const Control* b) { return a->left < b->left; });
        for (std::size_t i = first; i < end; ++i) {
            out.push_back(here[i]);
            if (here[i]->kind() == Kind::Frame) addInTabOrder(w, here[i], out);
        }
        first = end;
    }
}

} // namespace

std::vector<Control*> tabOrder(const Window& w) {
    std::vector<Control*> out;
    addInTabOrder(w, nullptr, out);
    return out;
}

bool stateOnly(const Control& c) {
    for (const Control* p = &c; p; p = p->container())
        if (p->kind() == Kind::Frame && static_cast<const Frame*>(p)->stateOnly) return true;
    return false;
}

std::vector<OptionButton*> optionGroup(const OptionButton& o) {
    std::vector<OptionButton*> group;
    for (Control* c : o.owner().controls())
        if (c->kind() == Kind::Option && c->container() == o.container())
            group.push_back(static_cast<OptionButton*>(c));
    return group;
}

bool noneSelected(const OptionButton& o) {
    for (const OptionButton* k : optionGroup(o))
        if (k->value()) return false;
    return true;
}

bool marked(const Control& c) {
    if (c.kind() == Kind::Option) return static_cast<const OptionButton&>(c).value();
    return c.kind() == Kind::CheckBox && static_cast<const CheckBox&>(c).value() != 0;
}

void takeMark(Control& c, bool on) {
    if (c.kind() == Kind::CheckBox) static_cast<CheckBox&>(c).setValue(on ? 1 : 0);
    if (c.kind() == Kind::Option && on) static_cast<OptionButton&>(c).setValue(true);
}

void OptionButton::setValue(bool on) {
    value_ = on;
    if (on)
        for (OptionButton* o : optionGroup(*this))
            if (o != this && o->value_) {
                o->value_ = false;
                o->changed(Prop::Value);
            }
    changed(Prop::Value);
    if (on && click) click();
}

void ComboBox::setText(const std::string& t) {
    setCaption(t);
    if (change) change();
}

MenuItem::MenuItem(Window& owner, std::string name, const std::string& caption, MenuItem* parent)
    : Control(owner, std::move(name), parent) {
    setCaption(caption);
}

void MenuItem::setChecked(bool on) {
    checked_ = on;
    changed(Prop::Value);
}

DriveList::DriveList(Window& owner, std::string name, platform::Files& files, Control* container)
    : Control(owner, std::move(name), container), files_(files) {
    drives_ = files_.drives();
    std::string current = files_.currentFolder();
    if ((current.size() >= 2 && current[1] == ':') || isRooted(current))
        setDrive(current);
    else if (!drives_.empty())
        setCaption(drives_.front());
}

bool DriveList::setDrive(const std::string& drive) {
    if (drive.empty()) return false;
    drives_ = files_.drives();
    if (isRooted(drive)) {
        const std::string best = driveOf(drives_, drive);
        if (best.empty()) return false;
        setCaption(best);
        changed(Prop::Items);
        if (change) change();
        return true;
    }
    std::string d(1, static_cast<char>(std::tolower(static_cast<unsigned char>(drive[0]))));
    d += ":";
    bool known = false;
    for (const auto& k : drives_) known = known || k == d;
    if (!known) return false;
    setCaption(d);
    changed(Prop::Items);
    if (change) change();
    return true;
}

DirList::DirList(Window& owner, std::string name, platform::Files& files, Control* container)
    : Control(owner, std::move(name), container), files_(files) {}

bool DirList::setPath(const std::string& folder) {
    if (isRooted(folder)) return setRootedPath(folder);
    std::string p = folder;
    while (p.size() > 3 && p.back() == '\\') p.pop_back();
    if (p.size() == 2 && p[1] == ':') p += "\\";
    std::vector<std::string> subs;
    if (!files_.listFolders(p, subs)) return false;
    std::sort(subs.begin(), subs.end(), sortsBefore);
    path_ = p;
    entries_.clear();
    // Parents: "C:\", "C:\Games", ... up to the open folder itself.
    for (std::size_t i = 0; i < p.size(); ++i)
        if (p[i] == '\\' && i + 1 < p.size())
            entries_.push_back(i == 2 ? p.substr(0, 3) : p.substr(0, i));
    entries_.push_back(p);
    open_ = static_cast<int>(entries_.size()) - 1;
    const std::string base = p.back() == '\\' ? p : p + "\\";
    for (const auto& s : subs) entries_.push_back(base + s);
    index_ = -1;
    changed(Prop::Items);
    if (change) change();
    return true;
}

// The same for a path from the root "/": the parents are "/", "/home", "/home/ace".
bool DirList::setRootedPath(const std::string& folder) {
    std::string p = folder;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    std::vector<std::string> subs;
    if (!files_.listFolders(p, subs)) return false;
    std::sort(subs.begin(), subs.end(), sortsBefore);
    path_ = p;
    entries_ = {"/"};
    for (std::size_t i = 1; i < p.size(); ++i)
        if (p[i] == '/') entries_.push_back(p.substr(0, i));
    if (p != "/") entries_.push_back(p);
    open_ = static_cast<int>(entries_.size()) - 1;
    const std::string base = p == "/" ? p : p + "/";
    for (const auto& s : subs) entries_.push_back(base + s);
    index_ = -1;
    changed(Prop::Items);
    if (change) change();
    return true;
}

void DirList::setListIndex(int i) {
    index_ = (i >= 0 && i < static_cast<int>(entries_.size())) ? i : -1;
    changed(Prop::Selection);
    if (click) click();
}

std::string DirList::chosen() const {
    return index_ >= 0 ? entries_[index_] : path_;
}

bool DirList::openHighlighted() {
    return index_ >= 0 && setPath(entries_[index_]);
}

Timer::Timer(Window& owner, std::string name, int intervalMs)
    : Control(owner, std::move(name)), interval(intervalMs) {
    setVisible(false);
    setEnabled(false);
}

Window::Window(std::string caption, int w, int h)
    : clientWidth(w), clientHeight(h), caption_(std::move(caption)) {}

void Window::setCaption(const std::string& text) {
    caption_ = text;
    if (peer) peer->update(Prop::Caption);
}

void Window::setPicture(const std::string& name) {
    picture_ = name;
    if (peer) peer->update(Prop::Value);
}

Backend* backend = nullptr;

void Window::setClientSize(int width, int height) {
    clientWidth = width, clientHeight = height;
    if (peer) peer->update(Prop::Bounds);
}

void Window::open() {
    if (isOpen()) {
        focus();
        return;
    }
    opened_ = true, closed_ = false, shown_ = false, everShown_ = false, failed_ = false;
    if (backend) {
        backend->create(*this);
        if (!peer) {
            failed_ = closed_ = true;
            return;
        }
    }
    load();
    if (!closed_ && !shown_) show();
}

ScreenPoint ontoMonitors(ScreenPoint at, int width, int height,
                         const std::vector<ScreenRect>& monitors) {
    const ScreenRect* nearest = nullptr;
    long best = 0;
    for (const ScreenRect& m : monitors) {
        const long dx = at.x < m.left ? m.left - at.x : at.x >= m.right ? at.x - m.right + 1 : 0;
        const long dy = at.y < m.top ? m.top - at.y : at.y >= m.bottom ? at.y - m.bottom + 1 : 0;
        if (dx == 0 && dy == 0) return at;
        const long d = dx * dx + dy * dy;
        if (!nearest || d < best) nearest = &m, best = d;
    }
    if (!nearest) return at;
    // As far in as the window fits; a window bigger than the monitor keeps its corner on it.
    auto into = [](int v, int size, int from, int to) {
        return std::max(from, std::min(v, to - size));
    };
    return {into(at.x, width, nearest->left, nearest->right),
            into(at.y, height, nearest->top, nearest->bottom)};
}

std::optional<ScreenPoint> Window::position() const {
    if (!peer) return movedTo_;
    ScreenPoint at;
    if (peer->position(at)) return at;
    return std::nullopt;
}

void Window::moveTo(ScreenPoint at) {
    movedTo_ = at;
    if (peer) peer->moveTo(at);
}

void Window::focus() {
    if (peer) peer->focus();
}

void Window::show() {
    shown_ = everShown_ = true;
    if (peer) peer->show();
}

void Window::close() {
    if (closed_ || !queryUnload()) return;
    closed_ = true;
    shown_ = false;
    for (Control* c : controls_)
        if (auto* t = dynamic_cast<Timer*>(c)) t->setEnabled(false);
    if (peer) peer->close();
    unload();
}

namespace {

Button* marked(const Window& w, bool Button::*mark, bool& anyShown) {
    for (Control* c : w.controls())
        if (auto* b = dynamic_cast<Button*>(c); b && b->*mark && b->shown()) {
            anyShown = true;
            if (b->usable()) return b;
        }
    return nullptr;
}

bool press(Button* b) {
    if (!b) return false;
    if (b->click) b->click();
    return true;
}

} // namespace

bool Window::pressDefault() {
    bool shown = false;
    return press(marked(*this, &Button::isDefault, shown));
}

bool Window::pressCancel() {
    bool shown = false;
    if (press(marked(*this, &Button::isCancel, shown))) return true;
    if (shown || !ownerWindow || !isOpen()) return false;
    close();
    return true;
}

void Window::minimize() {
    if (peer) peer->minimize();
}

void Window::setEllipticRegion(int l, int t, int r, int b) {
    if (peer) peer->setEllipticRegion(l, t, r, b);
}

void Window::beginDrag() {
    if (peer) peer->beginDrag();
}

} // namespace ui
