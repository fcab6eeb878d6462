#pragma once
// cat_Buttons: a bar of button categories. Each category has a caption strip in its colour over its
// items, 46 x 44 px buttons that flow left to right and wrap; an item shows its image (40 x 40, from
// the bar's image list) and its caption in bold, on a gradient from white to the category's colour.
// The categories stand side by side while they fit the bar's width and wrap to further bands
// otherwise; the bar scrolls when the bands do not fit its height. Clicking a caption strip folds or
// unfolds its category and is no command.
//
// The bar reports a click on an item (mouse released over it) as itemClicked(category, item); which
// images the items show and what a click does are decided by the window.

#include <QColor>
#include <QIcon>
#include <QList>
#include <QScrollArea>

#include <functional>

class QToolButton;

namespace kalver::work {

class CategoryButtonBar : public QScrollArea {
    Q_OBJECT
public:
    explicit CategoryButtonBar(QWidget* parent = nullptr);
    ~CategoryButtonBar() override;

    // The image list: image `index` as an icon; an image -1 or outside the list shows no picture.
    using ImageSource = std::function<QIcon(int index)>;
    void setImageSource(ImageSource source);

    // Appends a category; returns its index.
    int addCategory(const QString& caption, const QColor& colour);
    int categoryCount() const { return static_cast<int>(m_categories.size()); }
    QString categoryCaption(int category) const;
    bool isCategoryCollapsed(int category) const;
    void setCategoryCollapsed(int category, bool collapsed);

    // Appends an item to `category`; returns its index within the category.
    int addItem(int category, const QString& caption, const QString& hint, int image);
    // Removes the item (later items move down one place).
    void removeItem(int category, int item);
    int itemCount(int category) const;

    QString itemCaption(int category, int item) const;
    void setItemCaption(int category, int item, const QString& caption);
    QString itemHint(int category, int item) const;
    void setItemHint(int category, int item, const QString& hint);
    int itemImage(int category, int item) const;
    void setItemImage(int category, int item, int image);
    // The button of an item (tests click it).
    QToolButton* itemButton(int category, int item) const;

    static constexpr QSize kButtonSize{46, 44};
    static constexpr int kImageSize = 40;

signals:
    void itemClicked(int category, int item);
    // The mouse entered or left the bar.
    void mouseEntered();
    void mouseLeft();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Item;
    struct Category;
    void relayout();
    void applyLook(Category& category, int item);
    int indexOf(const QToolButton* button, int* category) const;

    // One style sheet for every strip and item, by category (properties "category", "categoryItem").
    void applyStyleSheet();
    QWidget* m_content = nullptr;
    ImageSource m_images;
    QList<Category*> m_categories;
};

} // namespace kalver::work
