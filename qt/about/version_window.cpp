#include "qt/about/version_window.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include "core/glide.h"
#include "core/reader_texts.h"
#include "core/twips.h"
#include "core/version_layout.h"
#include "qt/forms/accessible_image.h"
#include "qt/forms/accessible_label.h"
#include "qt/forms/command_button.h"
#include "qt/forms/frame.h"
#include "qt/forms/surface.h"
#include "qt/forms/qt_convert.h"
#include "qt/resources/app_icon.h"

using version_layout::Id;
using version_layout::kControls;
using version_layout::row;

Form2::Form2(QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("Form2"));
    frame::apply(*this, toQString(version_layout::kCaption), resources::appIcon(), true);

    const QSize client(twips::toPixels(version_layout::kClientWidth),
                       twips::toPixels(version_layout::kClientHeight));
    surface_ = new Surface(kControls, version_layout::kClientWidth, version_layout::kClientHeight, this);
    surface_->setFixedSize(client);
    setFixedSize(client);

    const layout::Control &ok = kControls[row(Id::Command1)];
    Command1 = new CommandButton(toQString(ok.caption), surface_);
    Command1->setObjectName(toQString(ok.name));
    Command1->setGeometry(toQRect(twips::toPixelRect(ok.left, ok.top, ok.width, ok.height)));
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    Command1->setAccessibleDescription(toQString(reader_texts::kOkDescription));

    // The labels are painted; screen readers read them, after the icon, top to
    // bottom, and find all three in the window's description too.
    const layout::Control &icon = kControls[row(Id::Image1)];
    auto *iconAccess = new AccessibleImage(
        toQRect(twips::toPixelRect(icon.left, icon.top, icon.width, icon.height)), surface_);
    iconAccess->setAccessibleName(toQString(reader_texts::kIcon));
    QStringList captions;
    QList<QWidget *> reading{iconAccess};
    for (Id id : {Id::Label1, Id::Label2, Id::Label3}) {
        captions << toQString(kControls[row(id)].caption);
        reading << surface_->labelAccess(row(id));
    }
    setAccessibleDescription(captions.join(u'\n'));
    reading << Command1;
    surface_->setReadingOrder(reading);

    // The icon is pixel art: enlarge it by whole pixels, never blur it.
    const QSize iconSize = surface_->deviceRect(row(Id::Image1)).size();
    surface_->setPicture(
        row(Id::Image1),
        resources::appIconImage().scaled(iconSize, Qt::IgnoreAspectRatio, Qt::FastTransformation));

    Timer1 = new QTimer(this);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(glide::kIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);

    Form_Load();
    Timer1->start();
}

void Form2::showModal()
{
    frame::centreOnScreen(*this);
    Command1->setFocus();
    exec();
}

float Form2::label1Left() const { return float(surface_->labelLeft(row(Id::Label1))); }

float Form2::label1Width() const { return float(surface_->controlSize(row(Id::Label1)).width()); }

float Form2::outerWidth() const { return float(twips::fromDevice(frameGeometry().width(), 1.0)); }

void Form2::setLabel1Left(float left) { surface_->setLabelLeft(row(Id::Label1), left); }

void Form2::Hide() { hide(); }

void Form2::Unload() { Timer1->stop(); } // no tick after this; the owner destroys the window

void Form2::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) // no cancel button: Esc closes nothing
        return;
    QDialog::keyPressEvent(event);
}
