#pragma once

namespace tarvo {

// Long runs (integrating a large terminal file, writing the article file)
// allocate and free the same buffers again and again. By default the C
// library hands freed heap back to the kernel and asks for it again each
// time, which on a virtual machine costs several times the work itself; the
// programs keep their heap instead.
void garderLeTasMemoire();

} // namespace tarvo
