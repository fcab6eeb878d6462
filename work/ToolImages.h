#pragma once
// The pictures of the work window's tool buttons, drawn by our own painter and cached:
// - ImageList_MnemoToolButtons, 40 × 40, indexes 0 ... 77: the category-0 filter images (0 ... 21
//   active, 22 ... 42 inactive), "Квит." (43), the category-1 command images while something is
//   selected (44 ... 60, item + 43) and while nothing is (61 ... 77, item + 60);
// - ImageList_TableToolButtons, 24 × 24, indexes 0 ... 16: clear filters, expand, collapse, and the
//   14 sort buttons.
// TForm_Work sets its bar buttons' icons from mnemoToolImage(); TablePage uses tableToolImage().

#include <QPixmap>

namespace kalver::work {

inline constexpr int kMnemoToolImageCount = 78;
inline constexpr int kTableToolImageCount = 17;

// An empty pixmap for an index outside the list (-1 among them).
QPixmap mnemoToolImage(int index);
QPixmap tableToolImage(int index);
// The picture of the log's auto-scroll button tb_MemoAutoScroll, 24 × 24.
QPixmap autoScrollImage();

} // namespace kalver::work
