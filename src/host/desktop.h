// The seam to the desktop's program-wide services. The Qt implementation is the real
// one; tests install a scripted one. Nothing else in the program is faked.
#pragma once

#include <QString>
#include <memory>

class QImage;
class QPrinter;
class QWidget;

namespace host {

// Message box styles and answers, with the values the windows are written against.
namespace mb {
inline constexpr int OkOnly = 0, YesNo = 4, Critical = 16, Question = 32, Exclamation = 48, Information = 64;
inline constexpr int Ok = 1, Cancel = 2, Yes = 6, No = 7;
} // namespace mb

inline constexpr int kNoPageNumbers = 8; // print dialog flag: the page-range choice is disabled

struct PrintSettings {
    bool cancelError = false;
    int copies = 1;
    int fromPage = 0;
    int toPage = 0;
    int flags = 0;
    bool operator==(const PrintSettings&) const = default;
};

// The printer chosen in the print dialog, for one document.
class Printer {
public:
    virtual ~Printer() = default;
    // Prints an image whose pixels are 1/dpi inch each, at its physical size.
    // Throws host::Error when the printer cannot take it.
    virtual void printImage(const QImage& image, double dpi) = 0;
    // Ends the document, releasing it to the printer. Throws host::Error on failure.
    virtual void endDoc() = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // A modal message box over the window `over` (nullptr: none); style is the sum of a
    // button set and an icon (mb::). Returns the answer (mb::Yes, mb::No, mb::Ok ...).
    virtual int messageBox(const QString& prompt, int style, const QString& title, QWidget* over) = 0;
    // The modal print dialog over the window `over`. Returns the chosen printer, or
    // nullptr on Cancel.
    virtual std::unique_ptr<Printer> printDialog(const PrintSettings& settings, QWidget* over) = 0;
    // Starts a command line. Throws host::Error when nothing could be started.
    virtual void shell(const QString& command, int windowStyle) = 0;
    // The display's pixels per logical inch; 0 when the query fails.
    virtual int logicalDpi() = 0;
    // Leaves the event loop; the process then exits 0.
    virtual void end() = 0;
};

// The real desktop, over Qt.
std::unique_ptr<Desktop> makeQtDesktop();
// The real printing path onto a Qt printer, as the print dialog hands it over.
std::unique_ptr<Printer> makeQtPrinter(std::unique_ptr<QPrinter> printer);

} // namespace host
