#include "shell/main_window.h"

#include <QAction>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <vector>

#include "about/version_window.h"
#include "guide/guide_entries.h"
#include "shell/accessible_image.h"
#include "shell/form_frame.h"
#include "shell/form_surface.h"
#include "shell/forms_runtime.h"
#include "shell/option_button.h"
#include "shell/text_box.h"
#include "shell/twips.h"

using main_layout::Id;
using main_layout::kControls;
using main_layout::row;

namespace {

// OptionN's Click handler is kOptionClicks[N - 1].
constexpr std::array<void (Form1::*)(), 8> kOptionClicks{
    &Form1::Option1_Click, &Form1::Option2_Click, &Form1::Option3_Click, &Form1::Option4_Click,
    &Form1::Option5_Click, &Form1::Option6_Click, &Form1::Option7_Click, &Form1::Option8_Click};

// "Option4" → 4.
int optionNumber(const layout::Control &c) { return c.name.back() - u'0'; }

} // namespace

Form1::Form1(FormsRuntime &runtime) : runtime_(runtime)
{
    setObjectName(QStringLiteral("Form1"));
    form_frame::apply(*this, QStringLiteral("ヌペ部の謎"), false);

    buildMenu();
    surface_ = new FormSurface(kControls, this);
    surface_->setFixedSize(twips::toPixels(main_layout::kClientWidth),
                           twips::toPixels(main_layout::kClientHeight));
    setCentralWidget(surface_);
    buildControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Form1::buildMenu()
{
    menuBar()->setNativeMenuBar(false); // the two items are commands, not menus: keep them here
    End = new QAction(QStringLiteral("終了"), this);
    Ver = new QAction(QStringLiteral("バージョン情報"), this);
    End->setObjectName(QStringLiteral("End"));
    Ver->setObjectName(QStringLiteral("Ver"));
    End->setStatusTip(QStringLiteral("プログラムを終了します"));
    Ver->setStatusTip(QStringLiteral("バージョン情報を表示します"));
    menuBar()->addAction(End);
    menuBar()->addAction(Ver);
    connect(End, &QAction::triggered, this, &Form1::End_Click);
    connect(Ver, &QAction::triggered, this, &Form1::Ver_Click);
}

void Form1::buildControls()
{
    std::vector<std::pair<int, QWidget *>> tabStops;
    for (const layout::Control &c : kControls) {
        QWidget *widget = nullptr;
        switch (c.kind) {
        case layout::Kind::OptionButton: {
            const int n = optionNumber(c);
            auto *button =
                new OptionButton(layout::text(c.caption), QColor::fromRgb(c.fill), surface_);
            button->setChecked(c.selected);
            button->setAccessibleName(guide::spotName(guide::kEntries[n - 1]));
            button->setAccessibleDescription(QStringLiteral("この場所の説明と写真を表示します"));
            connect(button, &QAbstractButton::clicked, this,
                    [this, n] { (this->*kOptionClicks[n - 1])(); });
            options_[n - 1] = button;
            widget = button;
            break;
        }
        case layout::Kind::CommandButton: {
            auto *button = new QPushButton(layout::text(c.caption), surface_);
            button->setAutoDefault(false);
            widget = button;
            break;
        }
        case layout::Kind::TextBox:
            widget = Text1 = new TextBox(surface_);
            Text1->setAccessibleName(QStringLiteral("説明"));
            Text1->setAccessibleDescription(QStringLiteral("選んだ場所の説明"));
            break;
        default:
            continue; // painted by the surface
        }
        widget->setObjectName(layout::text(c.name));
        widget->setGeometry(twips::toPixelRect(c.left, c.top, c.width, c.height));
        tabStops.emplace_back(c.tabIndex, widget);
    }
    Command1 = surface_->findChild<QPushButton *>(QStringLiteral("Command1"));
    Command2 = surface_->findChild<QPushButton *>(QStringLiteral("Command2"));
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    Command1->setAccessibleDescription(QStringLiteral("この場所の1枚目の写真を表示します"));
    Command2->setAccessibleDescription(QStringLiteral("この場所の2枚目の写真を表示します"));

    const layout::Control &image = kControls[row(Id::Image1)];
    image1Access_ = new AccessibleImage(
        twips::toPixelRect(image.left, image.top, image.width, image.height), surface_);
    image1Access_->setAccessibleName(QStringLiteral("写真"));

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
}

void Form1::start()
{
    Form_Load();
    form_frame::centreOnScreen(*this);
    Text1->setFocus();
    show();
    activateWindow();
}

const QImage &Form1::image1Picture() const { return surface_->picture(row(Id::Image1)); }

QSize Form1::image1DeviceSize() const { return surface_->deviceRect(row(Id::Image1)).size(); }

void Form1::End_Click()
{
    ExitAnswer = static_cast<qint16>(
        runtime_.MsgBox(QStringLiteral("終了します。"), vbYesNo, QStringLiteral("終了")));
    if (ExitAnswer == vbYes)
        runtime_.End();
}

void Form1::Ver_Click()
{
    Form2 form2;
    form2.showModal();
}
