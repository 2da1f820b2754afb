#include "params/ParamStore.h"

TParamStore& ParamStore() {
    static TParamStore instance;
    return instance;
}
