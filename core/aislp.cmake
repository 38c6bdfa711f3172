list(APPEND CORE_SOURCES
  MvawCom.h
  CAISLP.cpp CAISLP.h
  LumoMainAislp.cpp LumoMainAislp.h
  AislpArticle.cpp AislpArticle.h)
