C1 = B0 & CIN +
		A0 & CIN +
		A0 & B0
				; 3 
C2 = B1 & C1 +
		A1 & C1 +
		A1 & B1
				; 3 
C3 = B2 & C2 +
		A2 & C2 +
		A2 & B2
				; 3 
COUT = B3 & S0 & S1 & C3 +
		A3 & S0 & S1 & C3 +
		A3 & B3 & S0 & S1
				; 3 
F0 =  /A0 &  /B0 & S0 & S1 & CIN +
		 /A0 & B0 &  /S0 & S1 +
		 /A0 & B0 & S1 &  /CIN +
		A0 &  /B0 &  /S0 & S1 +
		A0 &  /B0 & S1 &  /CIN +
		A0 & B0 & S0 & CIN +
		B0 & S0 &  /S1 +
		A0 & S0 &  /S1 +
		A0 & B0 &  /S1
				; 9 
F1 =  /A1 &  /B1 & S0 & S1 & C1 +
		 /A1 & B1 &  /S0 & S1 +
		 /A1 & B1 & S1 &  /C1 +
		A1 &  /B1 &  /S0 & S1 +
		A1 &  /B1 & S1 &  /C1 +
		A1 & B1 & S0 & C1 +
		B1 & S0 &  /S1 +
		A1 & S0 &  /S1 +
		A1 & B1 &  /S1
				; 9 
F2 =  /A2 &  /B2 & S0 & S1 & C2 +
		 /A2 & B2 &  /S0 & S1 +
		 /A2 & B2 & S1 &  /C2 +
		A2 &  /B2 &  /S0 & S1 +
		A2 &  /B2 & S1 &  /C2 +
		A2 & B2 & S0 & C2 +
		B2 & S0 &  /S1 +
		A2 & S0 &  /S1 +
		A2 & B2 &  /S1
				; 9 
F3 =  /A3 &  /B3 & S0 & S1 & C3 +
		 /A3 & B3 &  /S0 & S1 +
		 /A3 & B3 & S1 &  /C3 +
		A3 &  /B3 &  /S0 & S1 +
		A3 &  /B3 & S1 &  /C3 +
		A3 & B3 & S0 & C3 +
		B3 & S0 &  /S1 +
		A3 & S0 &  /S1 +
		A3 & B3 &  /S1
				; 9 
ZERO =  /F0 &  /F1 &  /F2 &  /F3
				; 1 
PAR =  /F0 &  /F1 &  /F2 & F3 +
		 /F0 &  /F1 & F2 &  /F3 +
		 /F0 & F1 &  /F2 &  /F3 +
		 /F0 & F1 & F2 & F3 +
		F0 &  /F1 &  /F2 &  /F3 +
		F0 &  /F1 & F2 & F3 +
		F0 & F1 &  /F2 & F3 +
		F0 & F1 & F2 &  /F3
				; 8 


$__SYMTAB_INFO:
Design_Name: alu
Gal_Type: 3
Gal_Mode: 1
Clk_Pin: 2
User_ID: __LEER

Pin_Node: SCLK Pin_or_Node: 1 Number: 1 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 2 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: A0 Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A1 Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A2 Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A3 Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B0 Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: MODE Pin_or_Node: 1 Number: 8 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: B1 Pin_or_Node: 1 Number: 9 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B2 Pin_or_Node: 1 Number: 10 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B3 Pin_or_Node: 1 Number: 11 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: S0 Pin_or_Node: 1 Number: 12 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: S1 Pin_or_Node: 1 Number: 13 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 14 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: SDI Pin_or_Node: 1 Number: 15 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: CIN Pin_or_Node: 1 Number: 16 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: ZERO Pin_or_Node: 1 Number: 17 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: C1 Pin_or_Node: 1 Number: 18 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: PAR Pin_or_Node: 1 Number: 19 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: F0 Pin_or_Node: 1 Number: 20 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: F1 Pin_or_Node: 1 Number: 21 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: SDO Pin_or_Node: 1 Number: 22 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: F2 Pin_or_Node: 1 Number: 23 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: F3 Pin_or_Node: 1 Number: 24 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: C2 Pin_or_Node: 1 Number: 25 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: C3 Pin_or_Node: 1 Number: 26 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: COUT Pin_or_Node: 1 Number: 27 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 28 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: AR Pin_or_Node: 2 Number: 29 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 1
Pin_Node: SP Pin_or_Node: 2 Number: 30 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 1
