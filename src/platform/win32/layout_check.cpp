// Compiled alone by the 32-bit compiler as well, so that both ABIs' layouts are checked.
#include "platform/win32/aspi_layouts.h"
#include "platform/win32/scsi_layouts.h"
