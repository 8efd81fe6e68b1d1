tavrin_add_test(tst_tree_propertydialog SOURCES tst_propertydialog.cpp
                LIBS tavrin_tree ostrel_impl TIMEOUT 60)
