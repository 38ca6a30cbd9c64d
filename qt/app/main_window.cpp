// Form1, the main window: built from its layout table, then its event
// handlers: start-up, the eight spots, the photo buttons, showing a picture
// and the two menu commands.

#include "qt/app/main_window.h"

#include <QAction>
#include <QLayout>

#include <algorithm>
#include <vector>

#include "core/forms_runtime.h"
#include "core/guide_entries.h"
#include "core/reader_texts.h"
#include "core/twips.h"
#include "qt/about/version_window.h"
#include "qt/forms/accessible_image.h"
#include "qt/forms/accessible_label.h"
#include "qt/forms/command_bar.h"
#include "qt/forms/command_button.h"
#include "qt/forms/frame.h"
#include "qt/forms/option_button.h"
#include "qt/forms/qt_convert.h"
#include "qt/forms/surface.h"
#include "qt/forms/text_box.h"
#include "qt/resources/app_icon.h"

using main_layout::Id;
using main_layout::kControls;
using main_layout::row;

Form1::Form1(FormsRuntime &runtime) : form_(*this, runtime)
{
    setObjectName(QStringLiteral("Form1"));
    frame::apply(*this, toQString(main_layout::kCaption), resources::appIcon(), false);

    buildMenu();
    surface_ = new Surface(kControls, main_layout::kClientWidth, main_layout::kClientHeight, this);
    surface_->setFixedSize(twips::toPixels(main_layout::kClientWidth),
                           twips::toPixels(main_layout::kClientHeight));
    setCentralWidget(surface_);
    buildControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Form1::buildMenu()
{
    auto *bar = new CommandBar(this); // the two items are commands, not menus
    setMenuBar(bar);
    std::array<QAction *, main_layout::kMenu.size()> items{};
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = bar->addCommand(toQString(main_layout::kMenu[i].caption));
        items[i]->setObjectName(toQString(main_layout::kMenu[i].name));
        connect(items[i], &QAction::triggered, this,
                [this, click = MainForm::kMenuClicks[i]] { (form_.*click)(); });
    }
    End = items[0];
    Ver = items[1];
    End->setStatusTip(toQString(reader_texts::kEndDescription));
    Ver->setStatusTip(toQString(reader_texts::kVerDescription));
}

void Form1::buildControls()
{
    std::vector<std::pair<int, QWidget *>> tabStops;
    for (int r = 0; r < int(kControls.size()); ++r) {
        const layout::Control &c = kControls[r];
        QWidget *widget = nullptr;
        switch (c.kind) {
        case layout::Kind::OptionButton: {
            const int n = main_layout::optionNumber(Id(r));
            auto *button =
                new OptionButton(toQString(c.caption), QColor::fromRgb(c.fill), surface_);
            button->setChecked(c.selected);
            button->setAccessibleName(toQString(guide::spotName(guide::kEntries[n - 1])));
            button->setAccessibleDescription(toQString(reader_texts::kSpotDescription));
            options_[n - 1] = button;
            widget = button;
            break;
        }
        case layout::Kind::CommandButton: {
            widget = new CommandButton(toQString(c.caption), surface_);
            break;
        }
        case layout::Kind::TextBox:
            widget = Text1 = new TextBox(surface_);
            Text1->setAccessibleName(toQString(reader_texts::kText1));
            Text1->setAccessibleDescription(toQString(reader_texts::kText1Description));
            break;
        default:
            continue; // painted by the surface
        }
        widget->setObjectName(toQString(c.name));
        if (const MainForm::Handler click = MainForm::clickHandler(Id(r)))
            connect(static_cast<QAbstractButton *>(widget), &QAbstractButton::clicked, this,
                    [this, click] { (form_.*click)(); });
        widget->setGeometry(toQRect(twips::toPixelRect(c.left, c.top, c.width, c.height)));
        tabStops.emplace_back(c.tabIndex, widget);
    }
    Command1 = surface_->findChild<QPushButton *>(QStringLiteral("Command1"));
    Command2 = surface_->findChild<QPushButton *>(QStringLiteral("Command2"));
    Command1->setAccessibleDescription(toQString(reader_texts::kCommand1Description));
    Command2->setAccessibleDescription(toQString(reader_texts::kCommand2Description));

    const layout::Control &image = kControls[row(Id::Image1)];
    image1Access_ = new AccessibleImage(
        toQRect(twips::toPixelRect(image.left, image.top, image.width, image.height)), surface_);
    image1Access_->setAccessibleName(toQString(reader_texts::kImage1));

    const layout::Control &plan = kControls[row(Id::Shape9)]; // the room's outline
    auto *planAccess = new AccessibleImage(
        toQRect(twips::toPixelRect(plan.left, plan.top, plan.width, plan.height)), surface_);
    planAccess->setAccessibleName(toQString(reader_texts::kPlan));
    planAccess->setAccessibleDescription(toQString(reader_texts::kPlanDescription));

    // Windowed controls lie above the painting; among themselves, in table order.
    for (auto it = tabStops.rbegin(); it != tabStops.rend(); ++it)
        it->second->raise();

    std::sort(tabStops.begin(), tabStops.end());
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        setTabOrder(tabStops[i - 1].second, tabStops[i].second);

    // The arrow keys walk the option group in its tab order, round and round.
    std::vector<OptionButton *> group;
    for (const auto &stop : tabStops)
        if (auto *button = qobject_cast<OptionButton *>(stop.second))
            group.push_back(button);
    for (std::size_t i = 0; i < group.size(); ++i)
        group[i]->setNeighbours(group[(i + group.size() - 1) % group.size()],
                                group[(i + 1) % group.size()]);

    // Screen readers: the title, the plan with its labels top to bottom and
    // the spots in guide order, then the photograph, its buttons and the text.
    QList<QWidget *> reading{surface_->labelAccess(row(Id::Label4)), planAccess};
    for (Id label : {Id::Label5, Id::Label2, Id::Label3, Id::Label1})
        reading.append(surface_->labelAccess(row(label)));
    for (OptionButton *spot : options_)
        reading.append(spot);
    reading << image1Access_ << Command1 << Command2 << Text1;
    surface_->setReadingOrder(reading);
}

void Form1::start()
{
    // Placed and given a native window first, so that a message box during
    // Load already has its owner to stand in front of.
    frame::centreOnScreen(*this);
    winId();
    form_.Form_Load();
    Text1->setFocus();
    show();
    activateWindow();
}

const QImage &Form1::image1Picture() const { return surface_->picture(row(Id::Image1)); }

QSize Form1::image1DeviceSize(qreal dpr)
{
    const layout::Control &c = kControls[row(Id::Image1)];
    return toQRect(twips::toDeviceRect(c.left, c.top, c.width, c.height, dpr)).size();
}

void Form1::setCommand2Enabled(bool enabled) { Command2->setEnabled(enabled); }

void Form1::setText1(std::u16string_view text) { Text1->setText(toQString(text)); }

guide::Size Form1::image1DeviceSize() const
{
    return toSize(image1DeviceSize(surface_->devicePixelRatioF()));
}

void Form1::setImage1(guide::Picture picture, std::u16string_view fileName)
{
    surface_->setPicture(row(Id::Image1), toQImage(std::move(picture)));
    image1Access_->setAccessibleDescription(toQString(reader_texts::image1Description(fileName)));
}

void Form1::showForm2()
{
    Form2 form2(this);
    form2.showModal();
}
