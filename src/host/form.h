// A window by name: one object for the whole run whose loaded state (controls and
// the Qt widget) is built from its stored layout at every load and released at unload.
#pragma once

#include "host/control.h"
#include "host/layout.h"

#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QKeySequence>
#include <QStringList>
class QWidget;

namespace host {

class Host;
class FormWidget;

enum class Event { Click, DblClick, MouseDown, MouseMove, Timer, KeyDown, GotFocus };

struct MouseArgs {
    int button = 0; // 1 left, 2 right, 4 middle
    int shift = 0;  // 1 Shift, 2 Ctrl, 4 Alt
    float x = 0;    // twips, relative to the control
    float y = 0;
    int keyCode = 0; // key-down: 13 Return, 32 Space, 37 to 40 the arrows
};

using Handler = std::function<void(int index, const MouseArgs& args)>;

// The name under which a window's own (background) events are bound.
inline constexpr const char* kWindow = "Form";

class Form {
public:
    Form(Host& host, const StoredWindow& layout);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const char* name() const { return m_layout.name; }
    const StoredWindow& layout() const { return m_layout; }
    Host& host() const { return m_host; }

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
    int runningHandlers() const { return m_depth; }

    // Reaching a control loads the window first (implicit load). A missing name or
    // index fails at once, naming window and control.
    Control& control(std::string_view name, int index = -1);
    bool hasControl(std::string_view name, int index = -1);

    float width();
    float height();
    void setWidth(float twips);
    void setHeight(float twips);
    long backColor();
    void setBackColor(long colour);
    quintptr hDC();
    QImage grabImage(); // the client area as displayed now

    QWidget* widget(); // loads; for tests, printing and the desktop
    float twipsPerPixel() const;
    qreal devicePixelRatio() const; // of the screen the window is on

    // Raises an event on a control (nullptr: the window itself) through the dispatch
    // boundary. Used by the widgets, and by tests that drive handlers directly.
    void raise(Event event, const Control* target, const MouseArgs& args = {});
    void raise(Event event, std::string_view control, int index = -1, const MouseArgs& args = {});
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
    QRect placement() const; // pixel geometry the window should have

    // A control's look changed (called by the control).
    void changed(const Control& control) { controlChanged(control); }

protected:
    virtual void Form_Load() {}
    // Watches the looks of the window's controls, for windows that describe them.
    virtual void controlChanged(const Control&) {}

    void bind(Event event, std::string_view control, Handler handler);
    void onClick(std::string_view control, std::function<void()> handler);
    void onClickIndexed(std::string_view control, std::function<void(int)> handler);

private:
    friend class Host;
    struct State;
    void enterHandler() { ++m_depth; }
    void leaveHandler();
    void releaseDying();
    void closeForEnd();
    void sayNext(const std::pair<std::string, int>& key);
    void buildWidgets();
    void createWidget(Control& control, QWidget* window);
    void arrangeWidgets();
    std::function<void()> eventOf(const Control& control, Event event);

    Host& m_host;
    const StoredWindow& m_layout;
    std::unique_ptr<State> m_state;
    std::vector<std::unique_ptr<State>> m_dying;
    std::map<std::pair<std::string, Event>, Handler> m_handlers;
    struct Shortcut {
        QKeySequence keys;
        std::function<void()> handler;
        std::string control;
    };
    std::vector<Shortcut> m_shortcuts;
    unsigned m_generation = 0;
    int m_depth = 0;
};

} // namespace host
