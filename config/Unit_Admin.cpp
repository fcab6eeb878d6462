#include "config/Unit_Admin.h"

#include "config/Catalogue.h"
#include "config/Credentials.h"
#include "config/Journal.h"
#include "config/TextTables.h"
#include "core/ProgramValues.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalver {

TForm_Admin* Form_Admin = nullptr;

namespace {

constexpr int kFieldLength = 20;

// A labelled edit: its caption above it.
QLineEdit* addLabelledEdit(QWidget* parent, QVBoxLayout* layout, const char* name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(kFieldLength);
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit);
    return edit;
}

} // namespace

TForm_Admin::TForm_Admin(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form_Admin"));
    setModal(true);
    buildControls();
    setWindowTitle(texts::windowCaption(texts::Window::Admin));
    m_levelNames = texts::accessLevelNames();
    setEditsEnabled(false);
}

QString TForm_Admin::accountFilePath() const { return users::accountFilePath(); }

void TForm_Admin::buildControls() {
    resize(447, 399);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    const auto toolButton = [this](const char* name, QStyle::StandardPixmap icon, const QString& hint) {
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(QLatin1String(name));
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(hint);
        ToolBar1->addWidget(b);
        return b;
    };
    tb_SaveUsers = toolButton("tb_SaveUsers", QStyle::SP_DialogSaveButton, QStringLiteral("Сохранить изменения"));
    ToolBar1->addSeparator();
    tb_AddUser = toolButton("tb_AddUser", QStyle::SP_FileDialogNewFolder, QStringLiteral("Добавить пользователя"));
    tb_RemoveUser = toolButton("tb_RemoveUser", QStyle::SP_DialogDiscardButton, QStringLiteral("Удалить пользователя"));
    outer->addWidget(ToolBar1);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(4, 4, 4, 4);
    outer->addLayout(body, 1);

    GroupBox1 = new QGroupBox(QStringLiteral("Пользователь"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    auto* userLayout = new QVBoxLayout(GroupBox1);
    Le_Login = addLabelledEdit(GroupBox1, userLayout, "Le_Login", QStringLiteral("Логин"));
    Le_Pass = addLabelledEdit(GroupBox1, userLayout, "Le_Pass", QStringLiteral("Старый пароль"));
    Le_Pass->setEchoMode(QLineEdit::Password);
    Le_Pass->setToolTip(QStringLiteral(
        "Введите пароль пользователя, чтобы произвести изменения с учетной записью равного себе уровня"));

    gb_Edits = new QGroupBox(QStringLiteral("Изменения"), GroupBox1);
    gb_Edits->setObjectName(QStringLiteral("gb_Edits"));
    auto* editsLayout = new QVBoxLayout(gb_Edits);
    Le_NewPass1 = addLabelledEdit(gb_Edits, editsLayout, "Le_NewPass1", QStringLiteral("Новый пароль"));
    Le_NewPass2 = addLabelledEdit(gb_Edits, editsLayout, "Le_NewPass2", QStringLiteral("Подтверждение пароля"));
    Le_NewPass1->setEchoMode(QLineEdit::Password);
    Le_NewPass2->setEchoMode(QLineEdit::Password);

    rg_AccessLevel = new QGroupBox(QStringLiteral("Уровень доступа"), gb_Edits);
    rg_AccessLevel->setObjectName(QStringLiteral("rg_AccessLevel"));
    rg_AccessLevelItems = new QButtonGroup(rg_AccessLevel);
    auto* levelLayout = new QVBoxLayout(rg_AccessLevel);
    const QStringList& names = texts::accessLevelNames();
    for (int level = 0; level < names.size(); ++level) {
        auto* item = new QRadioButton(names.at(level), rg_AccessLevel);
        rg_AccessLevelItems->addButton(item, level);
        levelLayout->addWidget(item);
    }
    editsLayout->addWidget(rg_AccessLevel);

    b_ApplyEdits = new QPushButton(QStringLiteral("Принять"), gb_Edits);
    b_ApplyEdits->setObjectName(QStringLiteral("b_ApplyEdits"));
    b_ApplyEdits->setAutoDefault(false); // Enter in the fields has handlers of its own
    editsLayout->addWidget(b_ApplyEdits);
    userLayout->addWidget(gb_Edits);
    userLayout->addStretch(1);
    body->addWidget(GroupBox1);

    sg_Users = new QTableWidget(0, 2, this);
    sg_Users->setObjectName(QStringLiteral("sg_Users"));
    sg_Users->setHorizontalHeaderLabels({QStringLiteral("Логин"), QStringLiteral("Уровень")});
    sg_Users->verticalHeader()->hide();
    sg_Users->setColumnWidth(0, 128);
    sg_Users->setColumnWidth(1, 128);
    sg_Users->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg_Users->setSelectionMode(QAbstractItemView::SingleSelection);
    sg_Users->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg_Users->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sg_Users->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sg_Users->setMinimumWidth(2 * 128 + sg_Users->verticalScrollBar()->sizeHint().width() + 2 * sg_Users->frameWidth());
    body->addWidget(sg_Users, 1);

    // "|" and "/" separate the fields of an account line, so a login cannot hold them nor a password "/".
    Le_Login->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^|/]*")), Le_Login));
    for (QLineEdit* pass : {Le_NewPass1, Le_NewPass2})
        pass->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^/]*")), pass));

    connect(sg_Users, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
        if (!m_filling && row != previousRow)
            selectRow(row);
    });
    connect(Le_Login, &QLineEdit::returnPressed, this, &TForm_Admin::onLoginEnter);
    connect(Le_Pass, &QLineEdit::returnPressed, this, &TForm_Admin::onPasswordEnter);
    connect(b_ApplyEdits, &QPushButton::clicked, this, &TForm_Admin::onApply);
    connect(tb_AddUser, &QToolButton::clicked, this, &TForm_Admin::onAdd);
    connect(tb_RemoveUser, &QToolButton::clicked, this, &TForm_Admin::onRemove);
    connect(tb_SaveUsers, &QToolButton::clicked, this, &TForm_Admin::onSave);
}

QString TForm_Admin::levelName(int level) const { return texts::textAt(m_levelNames, level); }

void TForm_Admin::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!loadAccounts())
        QMetaObject::invokeMethod(this, &TForm_Admin::reject, Qt::QueuedConnection); // closes at once
}

bool TForm_Admin::loadAccounts() {
    const std::optional<QStringList> lines = users::loadAccountFile(accountFilePath());
    m_editor.load(lines ? users::parseAccounts(*lines) : QList<users::TUser>(), program().accessLevel);
    fillGrid();
    selectRow(m_editor.accounts().isEmpty() ? -1 : 0);
    return lines.has_value();
}

void TForm_Admin::fillGrid() {
    m_filling = true;
    sg_Users->setRowCount(int(m_editor.accounts().size()));
    for (int row = 0; row < sg_Users->rowCount(); ++row)
        showRow(row);
    m_filling = false;
}

void TForm_Admin::showRow(int row) {
    if (row < 0 || row >= m_editor.accounts().size())
        return;
    const users::TUser& u = m_editor.accounts().at(row);
    // A level without a name (a digit 4 to 9, or not a digit) reads as the file writes it.
    QString level = levelName(u.level);
    if (level.isEmpty())
        level = u.level >= 0 ? QString::number(u.level) : u.levelText;
    const QString cells[2] = {u.login, level};
    for (int column = 0; column < 2; ++column) {
        QTableWidgetItem* item = sg_Users->item(row, column);
        if (!item)
            sg_Users->setItem(row, column, item = new QTableWidgetItem);
        item->setText(cells[column]);
    }
}

void TForm_Admin::selectRow(int row) {
    m_editor.select(row);
    m_filling = true;
    if (m_editor.selected() >= 0)
        sg_Users->setCurrentCell(m_editor.selected(), 0);
    else
        sg_Users->setCurrentCell(-1, -1);
    m_filling = false;
    showSelected();
}

void TForm_Admin::showSelected() {
    const users::TUser* a = m_editor.selectedAccount();
    Le_Login->setText(a ? a->login : QString());
    Le_Pass->clear();
    Le_NewPass1->clear();
    Le_NewPass2->clear();
    setEditsEnabled(m_editor.editsEnabled());
    setLevelChoice(a ? a->level : -1);
}

void TForm_Admin::setEditsEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(gb_Edits), static_cast<QWidget*>(Le_NewPass1),
                       static_cast<QWidget*>(Le_NewPass2), static_cast<QWidget*>(rg_AccessLevel),
                       static_cast<QWidget*>(b_ApplyEdits)})
        w->setEnabled(enabled);
    Le_Pass->setEnabled(!enabled);
}

void TForm_Admin::setLevelChoice(int level) {
    QAbstractButton* item = rg_AccessLevelItems->button(level);
    if (item) {
        item->setChecked(true);
        return;
    }
    rg_AccessLevelItems->setExclusive(false);
    for (QAbstractButton* b : rg_AccessLevelItems->buttons())
        b->setChecked(false);
    rg_AccessLevelItems->setExclusive(true);
}

int TForm_Admin::levelChoice() const { return rg_AccessLevelItems->checkedId(); }

void TForm_Admin::onLoginEnter() {
    if (Le_Pass->isEnabled())
        catalogue::showInformation(catalogue::newLoginHintText());
}

void TForm_Admin::onPasswordEnter() {
    if (m_editor.unlock(Le_Pass->text()))
        setEditsEnabled(true);
}

void TForm_Admin::onApply() {
    if (!m_editor.selectedAccount())
        return;
    const users::ApplyResult r =
        m_editor.apply({Le_Login->text(), Le_NewPass1->text(), Le_NewPass2->text(), levelChoice()});
    const users::TUser& a = *m_editor.selectedAccount();
    showRow(m_editor.selected());
    if (r.restoreLogin)
        Le_Login->setText(a.login);
    if (r.clearNewPasswords) {
        Le_NewPass1->clear();
        Le_NewPass2->clear();
    }
    if (r.restoreLevel)
        setLevelChoice(a.level);
    for (const QString& entry : r.journal)
        journal::write(entry);
    if (!r.refusal.isEmpty())
        catalogue::show(r.refusal, MessageIcon::Error, MessageButtons::Ok);
    else
        catalogue::showInformation(catalogue::editSucceededText());
}

void TForm_Admin::onAdd() {
    const int row = m_editor.add();
    fillGrid();
    selectRow(row);
}

void TForm_Admin::onRemove() {
    const users::RemoveResult r = m_editor.remove();
    if (!r.refusal.isEmpty()) {
        catalogue::show(r.refusal, MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    for (const QString& entry : r.journal)
        journal::write(entry);
    fillGrid();
    selectRow(m_editor.selected());
}

void TForm_Admin::onSave() {
    if (users::writeFile(accountFilePath(), m_editor.accounts())) {
        m_editor.clearChanged();
        return;
    }
    catalogue::show(u"e010", MessageIcon::Error, MessageButtons::Ok);
    journal::write(QStringLiteral("e010"));
}

void TForm_Admin::reject() {
    if (m_editor.changed() && catalogue::askSaveChanges()) {
        onSave();
        if (m_editor.changed())
            return; // not saved: the window stays open so the edits are not lost
    }
    m_editor.clear();
    fillGrid();
    showSelected();
    QDialog::reject();
}

} // namespace kalver
