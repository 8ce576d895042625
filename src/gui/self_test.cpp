#include "self_test.h"

#include <QLabel>
#include <QTabWidget>

#include "main_form.h"
#include "qt_text.h"

namespace qx::gui {
namespace {

std::string LabelText(const TMainForm& form, const char* name) {
    const auto* label = form.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? FromQ(label->text()) : std::string("?");
}

}  // namespace

std::string DescribeStartedWindow(const TMainForm& form) {
    auto& workspace = const_cast<TMainForm&>(form).GetWorkspace();
    const auto* sregPages = form.findChild<QTabWidget*>(QStringLiteral("PageControl2"));
    std::string out;
    out += "caption=" + FromQ(form.windowTitle()) + "\n";
    out += "product=" + workspace.variant.ProductName + "\n";
    out += "family=" + std::string(workspace.variant.Record().familyName) + "\n";
    out += "sregLastPage=" + (sregPages ? FromQ(sregPages->tabText(3)) : std::string("?")) + "\n";
    out += "port=" + LabelText(form, "StatusBar_ComPort") + "\n";
    out += "rate=" + LabelText(form, "StatusBar_BaudRate") + "\n";
    out += "format=" + LabelText(form, "StatusBar_Other") + "\n";
    out += "mode=" + std::to_string(static_cast<int>(workspace.config.Mode())) + "\n";
    return out;
}

}  // namespace qx::gui
