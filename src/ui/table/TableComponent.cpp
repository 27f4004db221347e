#include "ui/table/TableComponent.h"

namespace qx::ui {

void CTableComponent::OnLButtonDown(Qt::KeyboardModifiers /*modifiers*/, int /*x*/, int /*y*/) {}

void CTableComponent::OnMouseMove(Qt::KeyboardModifiers /*modifiers*/, int /*x*/, int /*y*/) {}

void CTableComponent::OnLButtonUp(Qt::KeyboardModifiers /*modifiers*/, int /*x*/, int /*y*/) {}

void CTableComponent::OnTimer(int /*timerId*/) {}

} // namespace qx::ui
