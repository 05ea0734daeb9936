// A read-only grid of colour swatches, 16 to a row.
#pragma once

#include <QColor>
#include <QVector>
#include <QWidget>

namespace vorlin {

class SwatchGrid : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kPerRow = 16;
    static constexpr int kCell = 12;

    explicit SwatchGrid(QWidget* parent = nullptr);
    void SetColours(QVector<QColor> colours);
    const QVector<QColor>& Colours() const { return colours_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QVector<QColor> colours_;
};

}  // namespace vorlin
