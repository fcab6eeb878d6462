// The Qt and standard headers most of the program's files include, compiled once per build and used by
// every target (cmake/PrecompiledHeaders.cmake). Only headers whose contents do not depend on which Qt
// modules a target links (QtTest does: it is left out).
#include <QApplication>
#include <QBoxLayout>
#include <QByteArray>
#include <QByteArrayView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QString>
#include <QStringList>
#include <QTabWidget>
#include <QTableWidget>
#include <QTcpSocket>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
