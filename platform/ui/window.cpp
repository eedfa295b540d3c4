#include "platform/ui/window.h"

#include "platform/files.h"

namespace ui {

Control::Control(Window& owner, std::string name, Control* container)
    : owner_(owner), name_(std::move(name)), container_(container) {
    owner.controls_.push_back(this);
}

void Control::changed(Prop what) {
    if (peer) peer->update(what);
}

void Control::setCaption(const std::string& text) {
    caption_ = text;
    changed(Prop::Caption);
}

void Control::setEnabled(bool on) {
    enabled_ = on;
    changed(Prop::Enabled);
}

void Control::setVisible(bool on) {
    visible_ = on;
    changed(Prop::Visible);
}

bool Control::shown() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->visible_) return false;
    return true;
}

void Control::setBounds(int l, int t, int w, int h) {
    left = l, top = t, width = w, height = h;
    changed(Prop::Bounds);
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

void ListBox::addItem(const std::string& text) {
    items_.push_back({text, false});
    changed(Prop::Items);
}

void ListBox::removeItem(int i) {
    items_.erase(items_.begin() + i);
    if (index_ >= count()) index_ = count() - 1;
    changed(Prop::Items);
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
    if (!multi_ && on)
        for (auto& e : items_) e.selected = false;
    items_.at(i).selected = on;
    changed(Prop::Selection);
}

void ListBox::setListIndex(int i) {
    index_ = (i >= 0 && i < count()) ? i : -1;
    if (!multi_ && index_ >= 0) {
        for (auto& e : items_) e.selected = false;
        items_[index_].selected = true;
    }
    changed(Prop::Selection);
    if (click) click();
}

FileList::FileList(Window& owner, std::string name, platform::Files& files, Control* container,
                   bool multiSelect)
    : ListBox(owner, std::move(name), container, multiSelect), files_(files) {}

bool FileList::setPath(const std::string& folder) {
    std::vector<std::string> names;
    if (!files_.list(folder, pattern, names)) return false;
    path_ = folder;
    replaceItems(std::move(names));
    return true;
}

bool FileList::refresh() { return setPath(path_); }

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

void Window::show() {
    shown_ = true;
    if (peer) peer->show();
}

void Window::close() {
    if (closed_) return;
    closed_ = true;
    shown_ = false;
    if (peer) peer->close();
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
