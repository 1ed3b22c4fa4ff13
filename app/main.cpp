// Process entry: everything happens in runApplication.
#include "app/application.h"

int main() { return runApplication(); }
