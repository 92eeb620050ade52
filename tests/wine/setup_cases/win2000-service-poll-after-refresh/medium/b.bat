@echo off
exit /b 3
