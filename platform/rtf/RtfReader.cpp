#include "platform/rtf/RtfReader.h"
