#include "work/Unit_SelFilter.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace kalver::work {

TForm_SelFilter* Form_SelFilter = nullptr;

TForm_SelFilter::TForm_SelFilter(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_SelFilter"));
    setWindowTitle(QStringLiteral("Ввод фильтра"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);

    Label1 = new QLabel(QStringLiteral("С"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    se_Beg = new QSpinBox(this);
    se_Beg->setObjectName(QStringLiteral("se_Beg"));
    Label2 = new QLabel(QStringLiteral("по"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    se_End = new QSpinBox(this);
    se_End->setObjectName(QStringLiteral("se_End"));
    b_OK = new QPushButton(QStringLiteral("OK"), this);
    b_OK->setObjectName(QStringLiteral("b_OK"));
    b_OK->setDefault(true);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(Label1);
    boxes->addWidget(se_Beg, 1);
    boxes->addWidget(Label2);
    boxes->addWidget(se_End, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(boxes);
    layout->addWidget(b_OK, 0, Qt::AlignHCenter);
    setMinimumWidth(224);

    connect(b_OK, &QPushButton::clicked, this, &QDialog::accept);
    se_Beg->installEventFilter(this);
    se_End->installEventFilter(this);
}

bool TForm_SelFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == se_Beg)
            se_End->setMinimum(se_Beg->value());
        else if (watched == se_End)
            se_Beg->setMaximum(se_End->value());
    }
    return QDialog::eventFilter(watched, event);
}

void TForm_SelFilter::prepare(const RangeBox& begin, const RangeBox& end) {
    se_Beg->setRange(begin.minimum, begin.maximum);
    se_Beg->setValue(begin.value);
    se_End->setRange(end.minimum, end.maximum);
    se_End->setValue(end.value);
}

Range TForm_SelFilter::range() const { return {se_Beg->value(), se_End->value()}; }

std::optional<Range> TForm_SelFilter::ask(const RangeBox& begin, const RangeBox& end) {
    prepare(begin, end);
    se_Beg->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    // A value typed and confirmed with OK without leaving its box still counts.
    se_Beg->interpretText();
    se_End->interpretText();
    return range();
}

} // namespace kalver::work
