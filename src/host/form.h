// A window by name: one object for the whole run whose loaded state (controls and
// widgets) is built from its stored layout at every load and released at unload.
#pragma once

#include "host/control.h"
#include "host/desktop.h"
#include "host/layout.h"

#include <QKeySequence>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace host {

class Form;
namespace testing {
struct Access;
}

enum class Event { Click, DblClick, MouseDown, MouseMove, Timer, KeyDown, GotFocus };
const char* eventName(Event event); // "MouseMove", for messages

struct MouseArgs {
    int button = 0; // 1 left, 2 right, 4 middle
    int shift = 0;  // 1 Shift, 2 Ctrl, 4 Alt
    float x = 0;    // twips, relative to the control
    float y = 0;
    int keyCode = 0; // key-down: 13 Return, 32 Space, 37 to 40 the arrows
};

using Handler = std::function<void(int index, const MouseArgs& args)>;

inline constexpr int LOGPIXELSX = 88;

// The name under which a window's own (background) events are bound.
inline constexpr const char* kWindow = "Form";

// What shows one load of a window: its widgets, made by the program at each load.
class FormView {
public:
    virtual QWidget* widget() = 0;
    virtual void place() = 0; // after the window's size changed
    virtual void backgroundChanged() = 0;
    virtual void showChange(const Control& control, const Change& change) = 0;

protected:
    ~FormView() = default;
};

// What a window asks of the program that runs it.
class WindowHost {
public:
    virtual void registerForm(Form& form) = 0;
    virtual void unregisterForm(Form& form) = 0;
    virtual Form& form(std::string_view name) const = 0; // throws host::Error for an unknown name
    // Runs a handler of the window through the dispatch boundary.
    virtual void dispatch(Form& form, const std::function<void()>& handler) = 0;
    virtual void DoEvents() = 0;
    virtual void End() = 0;
    virtual bool ending() const = 0;
    virtual int messageBox(const QString& prompt, int style, const QString& title) = 0;
    virtual std::unique_ptr<Printer> printDialog(const PrintSettings& settings, Form& owner) = 0;
    virtual Desktop& desktop() = 0;
    virtual int pixelsPerInch() = 0;
    virtual qreal devicePixelRatio() const = 0; // where windows are shown
    // The widgets of a window's new load; they live until the window releases them.
    virtual FormView& makeView(Form& form) = 0;
    // The window's widgets are shown in front of the others; hidden ones give the
    // keyboard to the window in front.
    virtual void present(Form& form) = 0;
    virtual void hidden(Form& form) = 0;
    virtual void closeRequested(Form& form) = 0;

protected:
    ~WindowHost() = default;
};

class Form {
public:
    Form(WindowHost& host, const StoredWindow& layout);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const char* name() const { return m_layout.name; }
    const StoredWindow& layout() const { return m_layout; }

    // Loads the window if needed (its load handler runs to the end first), shows it,
    // brings it to the front and activates it.
    void Show();
    void Hide();
    // Hides the window at once and forgets it; its controls are released as soon as
    // none of its handlers is running any more.
    void Unload();
    void Load(); // loads hidden, if not loaded

    bool isLoaded() const { return m_state != nullptr; }
    bool isVisible() const;
    // Changes at every load and unload: a handler compares it to notice that its
    // window went away while it yielded.
    unsigned generation() const { return m_generation; }

    // Reaching a control loads the window first (implicit load). A missing name or
    // index, or a control of another kind, fails at once, naming window and control.
    Control& control(std::string_view name, int index = -1);
    bool hasControl(std::string_view name, int index = -1);
    template <class T> T& find(std::string_view name, int index = -1);
    Image& image(std::string_view name, int index = -1) { return find<Image>(name, index); }
    Label& label(std::string_view name, int index = -1) { return find<Label>(name, index); }
    Line& line(std::string_view name, int index = -1) { return find<Line>(name, index); }
    PictureBox& pictureBox(std::string_view name, int index = -1) { return find<PictureBox>(name, index); }
    TextBox& textBox(std::string_view name, int index = -1) { return find<TextBox>(name, index); }
    PictureButton& button(std::string_view name, int index = -1) { return find<PictureButton>(name, index); }
    Timer& timer(std::string_view name, int index = -1) { return find<Timer>(name, index); }
    PrintDialog& printDialog(std::string_view name, int index = -1) { return find<PrintDialog>(name, index); }
    // Throws unless the layout holds such a control (any kind when none is given); loads
    // nothing.
    void requireStored(std::string_view name, int index, std::optional<Kind> kind) const;

    float width();
    float height();
    void setWidth(float twips);
    void setHeight(float twips);
    long backColor();
    void setBackColor(long colour);
    quintptr hDC();
    // The display's device capability through a device context; only LOGPIXELSX is known.
    int GetDeviceCaps(quintptr hdc, int index);
    QImage grabImage(); // the client area as displayed now

    QWidget* widget(); // loads; for tests, printing and the desktop
    float twipsPerPixel() const;
    qreal devicePixelRatio() const; // of the screen the window is on

    // Raises an event on a control (nullptr: the window itself) through the dispatch
    // boundary. Used by the widgets, and by tests that drive handlers directly.
    void raiseEvent(Event event, const Control* target, const MouseArgs& args = {});
    void raiseEvent(Event event, std::string_view control, int index = -1, const MouseArgs& args = {});
    // A handler of the window that the widgets run (signals of a released load never do).
    std::function<void()> handlerFor(const Control& control, Event event);
    std::function<void()> shortcutHandler(const std::function<void()>& handler);
    bool hasHandler(Event event, std::string_view control) const;

    // Keyboard shortcut of the window that runs a handler through the dispatch boundary.
    // With a control named, it is that control's key: its tooltip and screen readers say it.
    void addShortcut(const QKeySequence& keys, std::function<void()> handler, std::string_view control = {});
    QStringList keysOf(const Control& control) const; // as the desktop writes them
    QString toolTipOf(const Control& control) const;  // with its first key: "Next (Alt+Right)"

    // Says what a control now shows or does to assistive technology, as a change of its
    // description: in order, at most once a second, the latest always said in the end.
    void announce(const Control& control, const QString& text);
    QString announcement(const Control& control) const;

    void closeRequested();

    // For the widgets.
    const std::vector<std::unique_ptr<Control>>& controls() const;
    QColor background() const;
    Picture windowPicture() const;
    QSize pixelSize() const; // of the client area
    struct Key {
        QKeySequence keys;
        std::function<void()> handler;
        std::string control;
    };
    const std::vector<Key>& shortcuts() const { return m_shortcuts; }
    // The name a screen reader gives a control.
    QString accessibleName(const Control& control) const;

protected:
    virtual void Form_Load() {}
    // Watches the looks of the window's controls, for windows that describe them.
    virtual void controlChanged(const Control&) {}

    void bind(Event event, std::string_view control, Handler handler);
    void onClick(std::string_view control, std::function<void()> handler);
    void onClickIndexed(std::string_view control, std::function<void(int)> handler);

    // The program, as the windows' handlers are written against it.
    void DoEvents() { m_host.DoEvents(); }
    void End() { m_host.End(); }
    int MsgBox(const QString& prompt, int buttons, const QString& title) { return m_host.messageBox(prompt, buttons, title); }
    void Shell(const QString& command, int windowStyle) { m_host.desktop().shell(command, windowStyle); }
    Form& window(std::string_view name) const { return m_host.form(name); }
    WindowHost& host() const { return m_host; }

private:
    friend class Host;
    friend struct testing::Access;
    struct State;
    void enterHandler() { ++m_depth; }
    void leaveHandler();
    void releaseDying();
    void closeForEnd();
    void sayNext(const std::pair<std::string, int>& key);
    void changed(Control& control, const Change& change); // from the current load's controls
    Control* lookup(std::string_view name, int index); // loads; nullptr when missing
    // Throws what is wrong with the name: missing from the layout, or of another kind.
    [[noreturn]] void missing(std::string_view name, int index, std::optional<Kind> kind) const;

    WindowHost& m_host;
    const StoredWindow& m_layout;
    std::unique_ptr<State> m_state;
    std::vector<std::unique_ptr<State>> m_dying;
    std::map<std::pair<std::string, Event>, Handler> m_handlers;
    std::vector<Key> m_shortcuts;
    unsigned m_generation = 0;
    int m_depth = 0;
};

template <class T> T& Form::find(std::string_view name, int index)
{
    Control* c = lookup(name, index);
    if (!c || c->kind() != T::kKind)
        missing(name, index, T::kKind);
    return static_cast<T&>(*c);
}

// A handler's way to one of its window's controls: name and kind are checked against the
// layout when the window object is made, and the control is found once per load.
template <class T> class Ref {
public:
    Ref(Form& form, std::string_view name, int index = -1) : m_form(form), m_name(name), m_index(index)
    {
        form.requireStored(name, index, T::kKind);
    }
    T& operator*() const { return get(); }
    T* operator->() const { return &get(); }
    // Loads the window, as any reach into it does.
    T& get() const
    {
        if (!m_control || m_generation != m_form.generation()) {
            m_control = &m_form.find<T>(m_name, m_index);
            m_generation = m_form.generation();
        }
        return *m_control;
    }

private:
    Form& m_form;
    std::string m_name;
    int m_index;
    mutable T* m_control = nullptr;
    mutable unsigned m_generation = 0;
};

} // namespace host
