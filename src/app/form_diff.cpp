#include "app/form_state.h"

namespace tess {

DiffOutcome FormState::cmdDiff_Click() {
  return {Status::Fail(txtReadFile[2].Text, "comparison not available yet"), 0};
}

}  // namespace tess
