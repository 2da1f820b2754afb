#pragma once
// Every print test starts in an empty program folder of its own with a fresh store and settings,
// and three parameter definitions: a number with two decimals and two option lists.

#include "app/FixtureFiles.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kq9test {

class PrintFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        GlobalVar() = TGlobalVar();
        SetProgramPath(FDir.path());
        ParamStore() = TParamStore();
        ParamDefs().Free();
        WriteFixture(FDir.path(), "Parameters.txt",
                     "[017]\nnaam0=Snelheid\ndec=2\n"
                     "[018]\nnaam0=Modus\ntype=1\nopties0=Uit,Aan,Auto\n"
                     "[019]\nnaam0=Richting\ntype=1\nopties0=Links,Rechts\n");
        ParameterDef_lezen();
        ParamStore().ParData[17] = 12345;
        ParamStore().ParData[18] = 1;
        ParamStore().ParData[19] = 2;
    }
    void TearDown() override {
        ParamDefs().Free();
        TekstFile_Vrijgeven();
        GlobalVar() = TGlobalVar();
    }

    QTemporaryDir FDir;
};

} // namespace kq9test
