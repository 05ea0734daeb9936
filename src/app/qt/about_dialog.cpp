#include "app/qt/about_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/build_info.h"

namespace vorlin {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Vorlin");
    auto* layout = new QVBoxLayout(this);
    versionLabel = new QLabel(QString("Vorlin v") + ProgramVersion(), this);
    buildLabel = new QLabel(QString("Build: ") + QString::fromStdString(BuildDate()), this);
    QFont big = versionLabel->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    versionLabel->setFont(big);
    layout->addWidget(versionLabel);
    layout->addWidget(buildLabel);
    layout->addWidget(new QLabel("Paletted bitmap editor for Game Boy Advance graphics.", this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace vorlin
