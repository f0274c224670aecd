// The web link on the real desktop service: the address goes to the desktop's opener
// and no program named explorer is looked for or run; other commands are refused.
#include "host/desktop.h"
#include "host/error.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Takes what the desktop's opener is handed, in place of a browser.
class Opener : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

// A program named explorer first on PATH, as a stray one (or "." on PATH) would be.
class StrayExplorer {
public:
    StrayExplorer()
    {
        const QString script = m_dir.filePath(QStringLiteral("explorer"));
        QFile file(script);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\ntouch \"$0.ran\"\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_dir.path()) + ':' + m_path);
    }
    ~StrayExplorer() { qputenv("PATH", m_path); }

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

TEST(WebLink, TheAddressGoesToTheDesktopsOpenerEvenWithAnExplorerOnPath)
{
    StrayExplorer stray;
    Opener opener;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &opener, "open");
    const auto desktop = host::makeQtDesktop();
    desktop->shell(QStringLiteral("explorer http://www.tellisande.example/"), 4);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0], QUrl(QStringLiteral("http://www.tellisande.example/")));
}

TEST(WebLink, CommandsOtherThanAWebAddressForExplorerAreRefused)
{
    StrayExplorer stray;
    Opener opener;
    for (const char* scheme : {"http", "https", "file"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &opener, "open");
    const auto desktop = host::makeQtDesktop();
    for (const char* command : {"", "explorer", "explorer http://a.example/ http://b.example/", "ls /",
                                "sh -c explorer", "explorer file:///etc/passwd", "explorer not-an-address"}) {
        EXPECT_THROW(desktop->shell(QString::fromLatin1(command), 4), host::Error) << command;
    }
    for (const char* scheme : {"http", "https", "file"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    EXPECT_TRUE(opener.opened.empty());
}

} // namespace

#include "web_link_test.moc"
