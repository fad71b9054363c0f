#include "Instruction.h"

namespace tarvo::db {

Instruction::~Instruction() = default;

} // namespace tarvo::db
