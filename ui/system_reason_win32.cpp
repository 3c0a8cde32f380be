#include "system_reason.h"

namespace orx::ui {

// Windows words its reasons in the user's own language already.
QString SystemReason(int, const QString& system_words) {
  return system_words;
}

}  // namespace orx::ui
