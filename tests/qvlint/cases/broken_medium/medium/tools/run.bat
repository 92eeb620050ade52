@echo %1
