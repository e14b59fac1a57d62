#include "core/ui/modal.h"

#include <QDialog>
#include <stdexcept>

namespace {
Modal* current = nullptr;
} // namespace

Modal& modal() {
    if (!current)
        throw std::logic_error("no Modal installed");
    return *current;
}

void setModal(Modal* modal) {
    current = modal;
}

void ExecModal::showModal(QDialog& window) {
    window.exec();
}
