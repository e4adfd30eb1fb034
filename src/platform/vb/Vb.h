#pragma once

// The text, number and date rules of the module in one include.
#include "platform/vb/ByteLength.h"
#include "platform/vb/DateSerial.h"
#include "platform/vb/Format.h"
#include "platform/vb/IsDate.h"
#include "platform/vb/Numeric.h"
#include "platform/vb/ParseDate.h"
#include "platform/vb/PlainText.h"
#include "platform/vb/Trim.h"
#include "platform/vb/Val.h"
