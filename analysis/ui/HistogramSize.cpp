#include "analysis/ui/HistogramSize.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

#include "analysis/HistogramSettings.h"

namespace {

QSpinBox* SizeEdit(int value, QWidget* parent)
{
    auto* edit = new QSpinBox(parent);
    edit->setRange(analysis::kMinCustomSize, analysis::kMaxCustomSize);
    edit->setValue(value);
    return edit;
}

} // namespace

THistogramSize::THistogramSize(int width, int height, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("ヒストグラム出力"));
    auto* grid = new QGridLayout(this);
    WidthEdit = SizeEdit(width, this);
    HeightEdit = SizeEdit(height, this);
    grid->addWidget(new QLabel(QStringLiteral("横"), this), 0, 0);
    grid->addWidget(WidthEdit, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("(100～2000 Pixel)"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("縦"), this), 1, 0);
    grid->addWidget(HeightEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("(100～2000 Pixel)"), this), 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    grid->addWidget(buttons, 2, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setFixedSize(sizeHint());
}

int THistogramSize::ChartWidth() const
{
    return WidthEdit->value();
}

int THistogramSize::ChartHeight() const
{
    return HeightEdit->value();
}
