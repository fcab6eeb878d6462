#include "work/CategoryButtonBar.h"

#include <QPainter>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>

namespace kalver::work {

namespace {
constexpr int kCaptionHeight = 16;
constexpr int kSpacing = 2;

// An image with a caption written across its lower part, for items that have both.
QIcon captionedIcon(const QIcon& image, const QString& caption, QFont font) {
    QPixmap pm = image.pixmap(CategoryButtonBar::kImageSize, CategoryButtonBar::kImageSize);
    QPainter p(&pm);
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    const QRect band(0, pm.height() - 13, pm.width(), 13);
    p.fillRect(band, QColor(255, 255, 255, 200));
    p.setPen(Qt::black);
    p.drawText(band, Qt::AlignCenter, caption);
    return QIcon(pm);
}
} // namespace

struct CategoryButtonBar::Item {
    QToolButton* button = nullptr;
    QString caption;
    QString hint;
    int image = -1;
};

struct CategoryButtonBar::Category {
    QString caption;
    QColor colour;
    QToolButton* strip = nullptr;
    QList<Item> items;
    bool collapsed = false;
};

CategoryButtonBar::CategoryButtonBar(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("cat_Buttons"));
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameShape(QFrame::StyledPanel);
    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("cat_ButtonsContent"));
    m_content->setAutoFillBackground(true);
    QPalette pal = m_content->palette();
    pal.setColor(QPalette::Window, Qt::white);
    m_content->setPalette(pal);
    setWidget(m_content);
}

CategoryButtonBar::~CategoryButtonBar() {
    qDeleteAll(m_categories);
}

void CategoryButtonBar::setImageSource(ImageSource source) {
    m_images = std::move(source);
    for (Category* c : m_categories)
        for (int i = 0; i < c->items.size(); ++i)
            applyLook(*c, i);
}

int CategoryButtonBar::addCategory(const QString& caption, const QColor& colour) {
    auto* c = new Category;
    c->caption = caption;
    c->colour = colour;
    c->strip = new QToolButton(m_content);
    c->strip->setObjectName(QStringLiteral("cat_Caption%1").arg(m_categories.size()));
    c->strip->setText(caption);
    c->strip->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const int index = static_cast<int>(m_categories.size());
    connect(c->strip, &QToolButton::clicked, this, [this, index] {
        setCategoryCollapsed(index, !isCategoryCollapsed(index));
    });
    c->strip->setProperty("category", index);
    c->strip->show();
    m_categories.append(c);
    applyStyleSheet();
    relayout();
    return index;
}

void CategoryButtonBar::applyStyleSheet() {
    QString sheet;
    for (int i = 0; i < m_categories.size(); ++i) {
        const QString colour = m_categories[i]->colour.name();
        sheet += QStringLiteral("QToolButton[category=\"%1\"] { background: %2; border: none; border-bottom: 1px solid #b0b0b0;"
                                " font-weight: bold; text-align: left; padding-left: 4px; }\n")
                     .arg(i)
                     .arg(colour);
        sheet += QStringLiteral("QToolButton[categoryItem=\"%1\"] { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                                " stop:0 white, stop:1 %2); border: 1px solid #b4b4c0; border-radius: 3px; font-weight: bold; }\n"
                                "QToolButton[categoryItem=\"%1\"]:hover { background: rgb(230, 230, 230); }\n"
                                "QToolButton[categoryItem=\"%1\"]:pressed { background: rgb(210, 210, 210); }\n")
                     .arg(i)
                     .arg(colour);
    }
    m_content->setStyleSheet(sheet);
}

QString CategoryButtonBar::categoryCaption(int category) const {
    return m_categories.value(category) ? m_categories[category]->caption : QString();
}

bool CategoryButtonBar::isCategoryCollapsed(int category) const {
    return m_categories.value(category) && m_categories[category]->collapsed;
}

void CategoryButtonBar::setCategoryCollapsed(int category, bool collapsed) {
    if (!m_categories.value(category))
        return;
    m_categories[category]->collapsed = collapsed;
    relayout();
}

int CategoryButtonBar::addItem(int category, const QString& caption, const QString& hint, int image) {
    Category* c = m_categories.value(category);
    if (!c)
        return -1;
    Item item;
    item.caption = caption;
    item.hint = hint;
    item.image = image;
    item.button = new QToolButton(m_content);
    item.button->setFixedSize(kButtonSize);
    item.button->setIconSize(QSize(kImageSize, kImageSize));
    // Its look comes from the bar's one style sheet (applyStyleSheet): a sheet of its own would be
    // parsed again for every button of a hundred clusters.
    item.button->setProperty("categoryItem", category);
    connect(item.button, &QToolButton::clicked, this, [this, button = item.button] {
        int cat = -1;
        const int index = indexOf(button, &cat);
        if (index >= 0)
            emit itemClicked(cat, index);
    });
    c->items.append(item);
    const int index = static_cast<int>(c->items.size()) - 1;
    applyLook(*c, index);
    item.button->setVisible(!c->collapsed);
    relayout();
    return index;
}

void CategoryButtonBar::removeItem(int category, int item) {
    Category* c = m_categories.value(category);
    if (!c || item < 0 || item >= c->items.size())
        return;
    c->items[item].button->deleteLater();
    c->items[item].button->hide();
    c->items.removeAt(item);
    relayout();
}

int CategoryButtonBar::itemCount(int category) const {
    return m_categories.value(category) ? static_cast<int>(m_categories[category]->items.size()) : 0;
}

QString CategoryButtonBar::itemCaption(int category, int item) const {
    const Category* c = m_categories.value(category);
    return c && item >= 0 && item < c->items.size() ? c->items[item].caption : QString();
}

void CategoryButtonBar::setItemCaption(int category, int item, const QString& caption) {
    Category* c = m_categories.value(category);
    if (!c || item < 0 || item >= c->items.size())
        return;
    c->items[item].caption = caption;
    applyLook(*c, item);
}

QString CategoryButtonBar::itemHint(int category, int item) const {
    const Category* c = m_categories.value(category);
    return c && item >= 0 && item < c->items.size() ? c->items[item].hint : QString();
}

void CategoryButtonBar::setItemHint(int category, int item, const QString& hint) {
    Category* c = m_categories.value(category);
    if (!c || item < 0 || item >= c->items.size())
        return;
    c->items[item].hint = hint;
    c->items[item].button->setToolTip(hint);
}

int CategoryButtonBar::itemImage(int category, int item) const {
    const Category* c = m_categories.value(category);
    return c && item >= 0 && item < c->items.size() ? c->items[item].image : -1;
}

void CategoryButtonBar::setItemImage(int category, int item, int image) {
    Category* c = m_categories.value(category);
    if (!c || item < 0 || item >= c->items.size() || c->items[item].image == image)
        return;
    c->items[item].image = image;
    applyLook(*c, item);
}

QToolButton* CategoryButtonBar::itemButton(int category, int item) const {
    const Category* c = m_categories.value(category);
    return c && item >= 0 && item < c->items.size() ? c->items[item].button : nullptr;
}

void CategoryButtonBar::applyLook(Category& category, int index) {
    Item& item = category.items[index];
    QToolButton* b = item.button;
    b->setToolTip(item.hint);
    const QIcon icon = (item.image >= 0 && m_images) ? m_images(item.image) : QIcon();
    if (icon.isNull()) {
        b->setIcon(QIcon());
        b->setText(item.caption);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    } else {
        b->setText(item.caption);
        b->setIcon(item.caption.isEmpty() ? icon : captionedIcon(icon, item.caption, b->font()));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
}

int CategoryButtonBar::indexOf(const QToolButton* button, int* category) const {
    for (int c = 0; c < m_categories.size(); ++c)
        for (int i = 0; i < m_categories[c]->items.size(); ++i)
            if (m_categories[c]->items[i].button == button) {
                *category = c;
                return i;
            }
    return -1;
}

void CategoryButtonBar::relayout() {
    // Each category is a block: its caption strip over its buttons. Blocks stand side by side and
    // start a new band when the next one does not fit; within a block the buttons wrap.
    const int width = std::max(kButtonSize.width() + 2 * kSpacing, viewport()->width());
    const int cell = kButtonSize.width() + kSpacing;
    const int perRow = std::max(1, (width - kSpacing) / cell);
    int x = 0;
    int y = 0;
    int bandHeight = 0;
    for (Category* c : m_categories) {
        const int n = c->collapsed ? 0 : static_cast<int>(c->items.size());
        const int columns = std::min(n, perRow);
        const int rows = n == 0 ? 0 : (n + perRow - 1) / perRow;
        const int captionWidth = c->strip->sizeHint().width() + 8;
        const int blockWidth = std::min(width, std::max(captionWidth, columns * cell + kSpacing));
        const int blockHeight = kCaptionHeight + kSpacing + rows * (kButtonSize.height() + kSpacing);
        if (x > 0 && x + blockWidth > width) {
            x = 0;
            y += bandHeight;
            bandHeight = 0;
        }
        c->strip->setGeometry(x, y, blockWidth, kCaptionHeight);
        for (int i = 0; i < c->items.size(); ++i) {
            QToolButton* b = c->items[i].button;
            if (c->collapsed) {
                b->hide();
                continue;
            }
            b->setGeometry(x + kSpacing + (i % perRow) * cell,
                           y + kCaptionHeight + kSpacing + (i / perRow) * (kButtonSize.height() + kSpacing),
                           kButtonSize.width(), kButtonSize.height());
            b->show();
        }
        x += blockWidth + 2 * kSpacing;
        bandHeight = std::max(bandHeight, blockHeight);
    }
    m_content->resize(width, std::max(y + bandHeight, 1));
}

void CategoryButtonBar::enterEvent(QEnterEvent* event) {
    QScrollArea::enterEvent(event);
    emit mouseEntered();
}

void CategoryButtonBar::leaveEvent(QEvent* event) {
    QScrollArea::leaveEvent(event);
    emit mouseLeft();
}

void CategoryButtonBar::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    relayout();
}

} // namespace kalver::work
