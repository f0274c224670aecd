#include "host/desktop.h"

#include "host/error.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QUrl>
#include <cmath>

namespace host {

namespace {

class QtPrinter final : public Printer {
public:
    explicit QtPrinter(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {}

    void printImage(const QImage& image, double dpi) override
    {
        if (!m_painter.isActive() && !m_painter.begin(m_printer.get()))
            throw Error("The printer could not be opened.");
        // Physical size: the image's inches times the printer's resolution.
        // A grab from a dense screen has more pixels, not more inches.
        const double scale = m_printer->resolution() / dpi;
        const QRectF target(QPointF(0, 0), image.deviceIndependentSize() * scale);
        m_painter.drawImage(target, image);
    }

    void endDoc() override
    {
        if (m_painter.isActive() && !m_painter.end())
            throw Error("The print job failed.");
        if (m_printer->printerState() == QPrinter::Error)
            throw Error("The print job failed.");
    }

private:
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
};

// Keeps a dialog centred on the window it belongs to, whatever size its layout gives it
// when it shows: Qt would centre it on the top-level window, at its size before layout.
class CentreOver : public QObject {
public:
    CentreOver(QWidget* dialog, QWidget* over) : QObject(dialog), m_over(over) { dialog->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = static_cast<QWidget*>(watched);
        if ((event->type() == QEvent::Show || event->type() == QEvent::Resize) && m_over) {
            const QPoint centre = m_over->mapToGlobal(m_over->rect().center());
            dialog->move(centre - QPoint(dialog->width() / 2, dialog->height() / 2));
        }
        return false;
    }

private:
    QPointer<QWidget> m_over;
};

class QtDesktop final : public Desktop {
public:
    // The dialogs are children of the window they belong to: modal to the program's
    // top-level window and centred on it, as the windows are. Should that window go while
    // the dialog is open, the dialog goes with it and counts as cancelled.
    int messageBox(const QString& prompt, int style, const QString& title, QWidget* over) override
    {
        const QPointer<QMessageBox> box = new QMessageBox(over);
        new CentreOver(box, over);
        box->setWindowTitle(title);
        box->setText(prompt);
        switch (style & 0x70) {
        case mb::Critical: box->setIcon(QMessageBox::Critical); break;
        case mb::Question: box->setIcon(QMessageBox::Question); break;
        case mb::Exclamation: box->setIcon(QMessageBox::Warning); break;
        case mb::Information: box->setIcon(QMessageBox::Information); break;
        default: break;
        }
        if ((style & 7) == mb::YesNo) {
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box->setDefaultButton(QMessageBox::Yes);
            box->setEscapeButton(QMessageBox::No);
        } else {
            box->setStandardButtons(QMessageBox::Ok);
        }
        const int answer = box->exec();
        delete box.data();
        switch (answer) {
        case QMessageBox::Yes: return mb::Yes;
        case QMessageBox::No: return mb::No;
        case QMessageBox::Ok: return mb::Ok;
        default: return (style & 7) == mb::YesNo ? mb::No : mb::Ok;
        }
    }

    std::unique_ptr<Printer> printDialog(const PrintSettings& settings, QWidget* over) override
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setCopyCount(settings.copies);
        const QPointer<QPrintDialog> dialog = new QPrintDialog(printer.get(), over);
        new CentreOver(dialog, over);
        dialog->setMinMax(1, 1);
        if (settings.fromPage > 0)
            dialog->setFromTo(settings.fromPage, settings.toPage);
        // Last: setting a range turns the page-range choice back on.
        if (settings.flags & kNoPageNumbers)
            dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
        const int result = dialog->exec();
        delete dialog.data();
        if (result != QDialog::Accepted)
            return nullptr;
        return makeQtPrinter(std::move(printer));
    }

    void shell(const QString& command, int) override
    {
        // The program forms one command line, "explorer" and a web address. Linux has no
        // such program, so the address goes to the desktop's opener and nothing is looked
        // up on PATH: whatever an "explorer" there (or in the working directory) is, it
        // never runs. Any other command is refused rather than guessed at.
        const QStringList words = QProcess::splitCommand(command);
        if (words.isEmpty())
            throw Error("There is nothing to start.");
        if (words.size() != 2 || words.first() != QLatin1String("explorer"))
            throw Error("The command " + command.toStdString() + " cannot be started on this desktop.");
        const QUrl url(words.last(), QUrl::StrictMode);
        if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
            throw Error("The address " + words.last().toStdString() + " is not a web address.");
        if (!QDesktopServices::openUrl(url))
            throw Error("The address " + words.last().toStdString() + " could not be opened.");
    }

    int logicalDpi() override
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? int(std::lround(screen->logicalDotsPerInchX())) : 0;
    }

    void end() override { QCoreApplication::exit(0); }
};

} // namespace

std::unique_ptr<Desktop> makeQtDesktop() { return std::make_unique<QtDesktop>(); }

std::unique_ptr<Printer> makeQtPrinter(std::unique_ptr<QPrinter> printer)
{
    return std::make_unique<QtPrinter>(std::move(printer));
}

} // namespace host
