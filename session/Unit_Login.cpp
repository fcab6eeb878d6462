#include "session/Unit_Login.h"

#include "config/Catalogue.h"
#include "config/Credentials.h"
#include "config/Journal.h"
#include "config/TextTables.h"
#include "config/Unit_Admin.h"
#include "config/Unit_Settings.h"
#include "core/MessageSeam.h"
#include "core/ProgramValues.h"
#include "session/ButtonIcons.h"
#include "session/ProgramEnd.h"
#include "session/SessionWindows.h"
#include "session/Unit_Connection.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>

namespace kalver {

TForm_Login* Form_Login = nullptr;

namespace {

QToolButton* imageButton(QWidget* parent, const char* name, const QIcon& icon, const QString& hint,
                         const QRect& geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon);
    button->setIconSize(geometry.size() - QSize(16, 16));
    button->setToolTip(hint);
    button->setGeometry(geometry);
    button->setAutoRaise(false);
    return button;
}

} // namespace

TForm_Login::TForm_Login(link::ClusterList& clusters, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_clusters(clusters), m_demo(program().programFolder) {
    setObjectName(QStringLiteral("Form_Login"));
    buildControls();

    startDemoCluster();

    setWindowTitle(texts::windowCaption(texts::Window::Login));
    setHeightLimit(kCollapsedHeight);
    program().accessLevel = AccessNone;
    lbl_UserName->setText(QStringLiteral("Demo"));

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - QPoint(kWidth / 2, kExpandedHeight / 2));
}

TForm_Login::~TForm_Login() {
    if (Form_Login == this)
        Form_Login = nullptr;
}

void TForm_Login::buildControls() {
    setFixedWidth(kWidth);

    auto* userLabel = new QLabel(QStringLiteral("Логин  "), this);
    userLabel->setGeometry(10, 12, 50, 20);
    lbl_UserName = new QLineEdit(this);
    lbl_UserName->setObjectName(QStringLiteral("lbl_UserName"));
    lbl_UserName->setToolTip(QStringLiteral("Введите в это поле логин пользователя"));
    lbl_UserName->setGeometry(62, 10, 140, 23);
    userLabel->setBuddy(lbl_UserName);

    auto* passwordLabel = new QLabel(QStringLiteral("Пароль"), this);
    passwordLabel->setGeometry(10, 43, 50, 20);
    lbl_Password = new QLineEdit(this);
    lbl_Password->setObjectName(QStringLiteral("lbl_Password"));
    lbl_Password->setToolTip(QStringLiteral("Введите в это поле пароль"));
    lbl_Password->setEchoMode(QLineEdit::Password);
    lbl_Password->setGeometry(62, 41, 140, 23);
    passwordLabel->setBuddy(lbl_Password);

    chb_ShowPass = new QCheckBox(QStringLiteral("Показывать пароль"), this);
    chb_ShowPass->setObjectName(QStringLiteral("chb_ShowPass"));
    chb_ShowPass->setToolTip(QStringLiteral("Показывать пароль в поле ввода"));
    chb_ShowPass->setGeometry(62, 72, 150, 22);

    sb_Autorize = imageButton(this, "sb_Autorize", session::icons::authorize(),
                              QStringLiteral("Выполнить авторизацию"), QRect(212, 10, 58, 54));

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    separator->setGeometry(6, 106, kWidth - 12, 3);

    Label1 = new QLabel(QStringLiteral("Ваш уровень доступа:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(12, 116, Label1->sizeHint().width(), 20);
    lbl_AccessLevel = new QLabel(this);
    lbl_AccessLevel->setObjectName(QStringLiteral("lbl_AccessLevel"));
    QFont bold = lbl_AccessLevel->font();
    bold.setBold(true);
    lbl_AccessLevel->setFont(bold);
    const int levelLeft = Label1->geometry().right() + 6;
    lbl_AccessLevel->setGeometry(levelLeft, 116, kWidth - levelLeft - 6, 20);

    constexpr int kLarge = 120;
    sb_ShowWork = imageButton(this, "sb_ShowWork", session::icons::connection(),
                              QStringLiteral("Перейти к окну подключения"), QRect(14, 142, kLarge, kLarge));
    sb_ShowMnemo = imageButton(this, "sb_ShowMnemo", session::icons::mnemo(),
                               QStringLiteral("Перейти к отображению мнемосхемы"), QRect(146, 142, kLarge, kLarge));
    sb_ShowSettings = imageButton(this, "sb_ShowSettings", session::icons::settings(),
                                  QStringLiteral("Перейти к окну настроек"), QRect(14, 270, kLarge, kLarge));
    sb_ShowAdmin = imageButton(this, "sb_ShowAdmin", session::icons::admin(),
                               QStringLiteral("Перейти к редактированию доступа"), QRect(146, 270, kLarge, kLarge));
    for (QToolButton* button : {sb_ShowWork, sb_ShowMnemo, sb_ShowSettings, sb_ShowAdmin})
        button->setEnabled(false);

    connect(lbl_UserName, &QLineEdit::returnPressed, this, &TForm_Login::authorize);
    connect(lbl_Password, &QLineEdit::returnPressed, this, &TForm_Login::authorize);
    connect(chb_ShowPass, &QCheckBox::toggled, this, [this](bool shown) {
        lbl_Password->setEchoMode(shown ? lbl_UserName->echoMode() : QLineEdit::Password);
    });
    connect(sb_Autorize, &QToolButton::clicked, this, &TForm_Login::authorize);
    connect(sb_ShowWork, &QToolButton::clicked, this, &TForm_Login::showWork);
    connect(sb_ShowMnemo, &QToolButton::clicked, this, &TForm_Login::showMnemo);
    connect(sb_ShowSettings, &QToolButton::clicked, this, &TForm_Login::showSettings);
    connect(sb_ShowAdmin, &QToolButton::clicked, this, &TForm_Login::showAdmin);
}

void TForm_Login::startDemoCluster() {
    using Start = session::DemoClusterLauncher::Start;
    switch (m_demo.startUnlessRunning()) {
    case Start::Started:
        QCoreApplication::processEvents();
        break;
    case Start::AlreadyRunning:
        break;
    case Start::Failed:
        showMessage({QString::fromUtf16(session::kDemoStartFailedTitle), QString::fromUtf16(session::kDemoStartFailedText),
                     MessageIcon::Error, MessageButtons::Ok, QString()});
        break;
    }
}

void TForm_Login::setHeightLimit(int height) {
    // Shrinking lowers the minimum first, growing raises the maximum first, so the limits never cross.
    if (height < minimumHeight()) {
        setMinimumHeight(height);
        setMaximumHeight(height);
    } else {
        setMaximumHeight(height);
        setMinimumHeight(height);
    }
    resize(kWidth, height);
}

void TForm_Login::SetAccessControls(const session::AccessControls& controls) {
    sb_ShowWork->setEnabled(controls.work);
    sb_ShowMnemo->setEnabled(controls.mnemo);
    sb_ShowSettings->setEnabled(controls.settings);
    sb_ShowAdmin->setEnabled(controls.admin);
    setHeightLimit(controls.anyButton() ? kExpandedHeight : kCollapsedHeight);
    session::sessionWindows().setDeveloperItems(controls.developer);
    session::sessionWindows().refillStateFilter();
}

void TForm_Login::authorize() {
    const QString login = lbl_UserName->text();
    const QString password = lbl_Password->text();
    const users::CredentialCheck check = users::checkCredentials(login, password);
    program().accessLevel = check.level;

    if (const std::optional<session::AccessRow> row = session::accessRow(check.level)) {
        lbl_AccessLevel->setText(row->name);
        SetAccessControls(row->controls);
        journal::write(row->journalCode + u'|' + login);
    } else {
        SetAccessControls(session::kNoAccess);
        catalogue::show(session::kFailedLoginCode, MessageIcon::Error, MessageButtons::Ok);
        journal::write(QString::fromUtf16(session::kFailedLoginCode) + u'|' + login + u'|' + password);
    }
    if (!check.fileLoaded) {
        // e001 and then e002 have been answered: the window closes, and the program ends, once this
        // handler has returned. (Asked for any earlier, the close would run inside e002's box and
        // end the program under the operator.)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void TForm_Login::showWork() {
    program().mnemonicMode = false;
    if (Form_Connection) {
        Form_Connection->setWindowModality(Qt::NonModal);
        Form_Connection->show();
    }
    hide();
}

void TForm_Login::showMnemo() {
    program().mnemonicMode = true;
    hide();
    if (Form_Connection) {
        // Modal over the program's other windows while it is shown; the run does not block here, so
        // the program's windows keep being created and served.
        Form_Connection->setWindowModality(Qt::ApplicationModal);
        Form_Connection->show();
    }
}

void TForm_Login::showSettings() {
    if (Form_Settings)
        Form_Settings->exec();
}

void TForm_Login::showAdmin() {
    if (Form_Admin)
        Form_Admin->exec();
}

void TForm_Login::closeEvent(QCloseEvent* event) {
    event->accept();
    if (m_ended)
        return;
    m_ended = true;
    session::endProgram(m_clusters, m_demo);
    emit programEnded();
}

} // namespace kalver
