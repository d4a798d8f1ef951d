#pragma once

#include <QDialog>
#include <QPixmap>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QUrl;

namespace about {
class BevelPanel;
}

// The About box: product, version, user, operating system and two links.
// A fresh box reads the user and the system anew; it is shown with exec().
class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(QWidget *parent = nullptr, const QPixmap &emblem = QPixmap());

    void setEmblem(const QPixmap &emblem);

    // "<product name> (version <version>)" of the operating system.
    QString GetWindowsVersion() const;

    static const char *const kEmailAddress;
    static const char *const kWebSite;

    // Replaceable platform services, for tests; an empty value restores the
    // system's own (QDesktopServices::openUrl, /etc/os-release, the login name).
    using UrlOpener = std::function<bool(const QUrl &)>;
    using UserNameSource = std::function<std::optional<QString>()>;
    static void setUrlOpener(UrlOpener opener);
    static void setOsReleasePath(const QString &path);
    static void setUserNameSource(UserNameSource source);

    about::BevelPanel *Panel1 = nullptr;
    QLabel *AboutImage = nullptr;
    QLabel *txtUser = nullptr;
    QLabel *lbVersion = nullptr;
    QLabel *Email = nullptr;
    QLabel *WebSite = nullptr;
    QPushButton *AboutOK = nullptr;

public slots:
    void AboutOKClick();
    void EmailClick();
    void WebSiteClick();
    void EmailMouseMove();
    void WebSiteMouseMove();
    void Panel1MouseMove();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();

    bool m_centred = false;
};
