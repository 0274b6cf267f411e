// buffer_calls_testing.h -- lets a test treat the current context as one without buffer objects.
#pragma once

// While withheld, bufferCalls() hands out no calls in any context, as a GL 1.1 driver would.
void withholdBufferCalls(bool withheld);
